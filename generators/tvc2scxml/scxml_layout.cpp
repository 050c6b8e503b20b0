#include "generators/tvc2scxml/scxml_layout.h"

#include "generators/tvc2xml/xml_text.h"

namespace scxmllayout {

std::vector<Record> splitRecords(std::string_view modelText) {
    std::vector<Record> records;
    bool inData = false;
    std::size_t pos = 0;
    while (pos < modelText.size()) {
        auto end = modelText.find('\n', pos);
        if (end == std::string_view::npos)
            end = modelText.size();
        std::string_view line = modelText.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!inData) {
            inData = line == "BEGIN DATA";
            continue;
        }
        if (line == "END DATA")
            break;
        if (line.rfind("BEGIN ", 0) == 0)
            records.emplace_back();
        if (!records.empty())
            records.back().emplace_back(line);
    }
    return records;
}

std::string joinRecord(const Record& record) {
    std::string text;
    for (const std::string& line : record)
        text += line + "\r\n";
    return text;
}

// Like tvc2xml's attributes, except that content keeps its lines: the carriage return of a
// line end is dropped (it comes back on reading); any other one would become a line feed in a
// parser, so it goes as a reference.
std::string escapeContent(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
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
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n')
                break;
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string escapeAttribute(std::string_view text) {
    return xmltext::escapeAttribute(text);
}

bool unrepresentable(std::string_view text) {
    return xmltext::needsNotation(text);
}

} // namespace scxmllayout
