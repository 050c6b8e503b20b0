#include "generators/tvc2xml/xml_text.h"

#include <cstdio>

namespace xmltext {
namespace {

// Length of the well-formed UTF-8 sequence at i when it names a character XML 1.0 allows;
// 0 otherwise (overlong forms, surrogates, U+FFFE and U+FFFF, cut-off sequences included).
std::size_t charLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r' ? 1 : 0;
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE ||
        cp == 0xFFFF)
        return 0;
    return length;
}

void appendHex(std::string& out, const char* format, unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    out += buffer;
}

// Markup characters as entities; line breaks as character references so they survive
// attribute-value normalisation and line-ending translation. Attributes also protect quotes
// and tabs.
std::string escapeMarkup(std::string_view value, bool attribute) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}
} // namespace

bool needsNotation(std::string_view value) {
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t length = charLength(value, i);
        if (length == 0)
            return true;
        i += length;
    }
    return false;
}

std::string toNotation(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 8);
    for (std::size_t i = 0; i < value.size();) {
        if (value[i] == '\\') {
            out += "\\\\";
            ++i;
            continue;
        }
        const std::size_t length = charLength(value, i);
        if (length > 0) {
            out.append(value.substr(i, length));
            i += length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(value[i]);
        appendHex(out, byte < 0x20 ? "\\u%04X" : "\\x%02X", byte);
        ++i;
    }
    return out;
}

std::string escapeAttribute(std::string_view value) {
    return escapeMarkup(value, true);
}

std::string escapeText(std::string_view value) {
    return escapeMarkup(value, false);
}

} // namespace xmltext
