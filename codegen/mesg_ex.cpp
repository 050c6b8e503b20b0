#include "codegen/mesg_ex.h"

std::string MesgEx::trimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return text;
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
