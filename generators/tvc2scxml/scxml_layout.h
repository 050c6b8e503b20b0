#pragma once
// The drawing's side of an SCXML document: the namespace that keeps shapes' geometry, and the
// model file's records split into what SCXML says and what only the drawing knows.

#include <string>
#include <string_view>
#include <vector>

namespace scxmllayout {

inline constexpr std::string_view cScxmlNamespace = "http://www.w3.org/2005/07/scxml";
inline constexpr std::string_view cLayoutNamespace = "urn:tavren:scxml-layout:1";

// One shape's record of the model file, as lines without their line ends: the BEGIN line
// first, text blocks kept as TEXTBEGIN ... TEXTEND lines.
using Record = std::vector<std::string>;

// The records of a model file's data section, in file order.
std::vector<Record> splitRecords(std::string_view modelText);
// A record joined back, every line ended by carriage return plus line feed.
std::string joinRecord(const Record& record);

// Text as XML content or a double-quoted attribute value. Line feeds stay in content; a
// carriage return is kept as a reference so that the text comes back byte for byte.
std::string escapeContent(std::string_view text);
std::string escapeAttribute(std::string_view text);
// True when the text holds characters XML 1.0 cannot carry (control characters, bytes that
// are not UTF-8).
bool unrepresentable(std::string_view text);

} // namespace scxmllayout
