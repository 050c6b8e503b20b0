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

namespace {

std::string escape(std::string_view text, bool attribute) {
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
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        case '\n':
            out += attribute ? "&#10;" : "\n";
            break;
        case '\r':
            // Content drops the carriage return of a line end (it comes back on reading); a
            // parser would turn any other one into a line feed, so it goes as a reference.
            if (!attribute && i + 1 < text.size() && text[i + 1] == '\n')
                break;
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string escapeContent(std::string_view text) {
    return escape(text, false);
}

std::string escapeAttribute(std::string_view text) {
    return escape(text, true);
}

bool unrepresentable(std::string_view text) {
    return xmltext::needsNotation(text);
}

} // namespace scxmllayout
