#pragma once
// SCXML to a model file: the reading side of tvc2scxml. The document is untrusted: no DTD, no
// entities from outside, no network, bounded size and depth.

#include <string>
#include <string_view>
#include <vector>

namespace scxmlimport {

inline constexpr std::size_t cMaxBytes = 16u << 20;
inline constexpr int cMaxDepth = 64;

struct Result {
    bool ok = false;
    std::string modelText;             // the model file, when ok
    std::vector<std::string> problems; // "line N: <element>: what", in document order
    std::vector<std::string> dropped;  // with lenient: what was left out, the same way
};

// With lenient, constructs the chart model cannot hold are dropped and listed instead of
// failing the import. A malformed document always fails.
Result importScxml(std::string_view document, bool lenient);

} // namespace scxmlimport
