// A language module for the tests: one translated string, the rest left to English.

#include "model/res_strings.h"

extern "C" __attribute__((visibility("default"))) const char* tavren_res_string(unsigned id) {
    return id == IDS_APP_TITLE ? "Tavren (fr)" : nullptr;
}
