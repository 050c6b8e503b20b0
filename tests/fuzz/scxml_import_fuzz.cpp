// Feeds arbitrary bytes to the SCXML reader as scxml2tvc reads a file, strict and lenient:
// every failure must be a reported problem, never a crash, a leak or a hang.

#include "generators/tvc2scxml/scxml_import.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    scxmlimport::importScxml(text, false);
    scxmlimport::importScxml(text, true);
    return 0;
}
