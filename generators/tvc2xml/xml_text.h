#pragma once
// How arbitrary model text becomes XML 1.0: markup characters as entities, and what XML
// cannot carry at all (control characters, bytes that are not UTF-8) in a backslash notation.

#include <string>
#include <string_view>

namespace xmltext {

// True when the value holds a control character other than tab, line feed and carriage
// return, or bytes that are not a well-formed UTF-8 character XML allows.
bool needsNotation(std::string_view value);
// "\\" for a backslash, "\u00XX" for such a control character, "\xHH" for each byte outside
// well-formed UTF-8; everything else unchanged. Reversible, and what it returns XML can carry.
std::string toNotation(std::string_view value);
// For a double-quoted attribute: tab, line feed and carriage return as character references
// too, since attribute normalisation would turn them into blanks.
std::string escapeAttribute(std::string_view value);
// For element content kept on one output line: line feed and carriage return as references.
std::string escapeText(std::string_view value);

} // namespace xmltext
