#pragma once
// Choice and loading of the language module. A module is a shared library "lang" + code +
// ".so", found by the system's normal library search, that exports tavren_res_string.

#include <string>

extern "C" {
// Exported by every language module: its text for a string id, or null when it has none. The
// text must stay valid while the module is loaded.
using TavrenResStringFn = const char* (*)(unsigned id);
}
inline constexpr char cLanguageEntryPoint[] = "tavren_res_string";

// Reads the "Language" value from the settings, tells the user when it is missing or not
// supported, and makes the chosen module the source of string resources. Returns the code in
// use; "eng" also when the module could not be loaded (after an error box).
std::string SelectLanguageModule();
