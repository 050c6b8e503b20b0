#include "model/res_strings.h"

#include "model/config.h"

#include <utility>

namespace {

const char* const cMissing = "-MISSING-";

std::function<std::optional<std::string>(unsigned)>& languageSource() {
    static std::function<std::optional<std::string>(unsigned)> source;
    return source;
}

// A switch rather than a map: a duplicate id in the table is a compile error.
const char* builtinString(unsigned id) {
    switch (id) {
#define TAVREN_STRING(stringId, text)                                                              \
    case stringId:                                                                                 \
        return text;
#include "resources/strings_en.inc"
#undef TAVREN_STRING
    default:
        return nullptr;
    }
}

} // namespace

std::string LoadResString(unsigned id) {
    if constexpr (!config::kInteractive) {
        return cMissing;
    } else {
        if (const auto& source = languageSource()) {
            if (std::optional<std::string> text = source(id))
                return std::move(*text);
        }
        const char* text = builtinString(id);
        return text ? text : cMissing;
    }
}

void setResourceStringSource(std::function<std::optional<std::string>(unsigned)> source) {
    languageSource() = std::move(source);
}
