#include "editor/app/language_module.h"

#include "model/res_strings.h"
#include "platform/services.h"

#include <dlfcn.h>

#include <array>
#include <optional>

namespace {

constexpr std::size_t cLanguageBuffer = 4; // three letters and the terminating zero

void inform(unsigned id) {
    platform::messageBoxes().show(LoadResString(id), MsgButtons::Ok, MsgIcon::Warning,
                                  MsgResult::Ok);
}

// The module stays loaded for the rest of the run, as the strings point into it.
bool loadModule(const std::string& file) {
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return false;
    auto entry = reinterpret_cast<TavrenResStringFn>(dlsym(handle, cLanguageEntryPoint));
    if (!entry) {
        dlclose(handle);
        return false;
    }
    setResourceStringSource([entry](unsigned id) -> std::optional<std::string> {
        if (const char* text = entry(id))
            return std::string(text);
        return std::nullopt;
    });
    return true;
}

} // namespace

std::string SelectLanguageModule() {
    std::string code = "eng";
    const std::optional<std::string> value = platform::settings().readString("Language", "");
    if (!value) {
        // No installer writes the value here: a first start simply chooses English.
        platform::settings().writeString("Language", "", code);
    } else if (value->size() >= cLanguageBuffer) {
        inform(IDS_LANGUAGE_UNREADABLE);
    } else {
        static constexpr std::array<const char*, 4> cSupported = {"eng", "fra", "ger", "esp"};
        bool supported = false;
        for (const char* known : cSupported)
            supported = supported || *value == known;
        if (supported)
            code = *value;
        else
            inform(IDS_LANGUAGE_UNSUPPORTED);
    }
    if (code == "eng")
        return code;

    const std::string file = "lang" + code + ".so";
    if (!loadModule(file)) {
        platform::messageBoxes().show(LoadResString(IDS_LANGUAGE_LOAD_FAILED_BEFORE) + file +
                                          LoadResString(IDS_LANGUAGE_LOAD_FAILED_AFTER),
                                      MsgButtons::Ok, MsgIcon::Stop, MsgResult::Ok);
        return "eng";
    }
    return code;
}
