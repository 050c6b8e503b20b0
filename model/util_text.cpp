#include "model/archive.h"
#include "model/util.h"

#include <istream>
#include <limits>
#include <ostream>

namespace {

// One line without its line end (carriage return plus line feed, or line feed alone).
bool readLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

} // namespace

void Util::readRest(std::istream& in) {
    // Whole rest of the line, however long: a short limit would leave a tail behind to be
    // misread as the next field.
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

void Util::readMultiLines(std::istream& in, std::string& text, const std::string& begin,
                          const std::string& end) {
    std::string line;
    // The length line; its number is not needed.
    if (!readLine(in, line) || !readLine(in, line) || line != begin)
        throw std::string("Invalid or Corrupt File");
    std::string result;
    bool first = true;
    for (;;) {
        if (!readLine(in, line))
            throw std::string("Invalid or Corrupt File");
        if (line == end)
            break;
        if (!first)
            result += CRLF;
        result += line;
        first = false;
    }
    text = std::move(result);
}

void Util::writeMultiLines(std::ostream& out, const std::string& text, const std::string& begin,
                           const std::string& end) {
    out << text.size() << CRLF << begin << CRLF;
    std::string::size_type from = 0;
    for (;;) {
        const auto at = text.find(CRLF, from);
        out << text.substr(from, at == std::string::npos ? std::string::npos : at - from) << CRLF;
        if (at == std::string::npos)
            break;
        from = at + CRLF.size();
    }
    out << end << CRLF;
}

std::string Util::removeTag(const std::string& s, const std::string& tag) {
    if (tag.empty())
        return s;
    std::string out;
    std::string::size_type from = 0;
    for (;;) {
        const auto at = s.find(tag, from);
        out += s.substr(from, at == std::string::npos ? std::string::npos : at - from);
        if (at == std::string::npos)
            return out;
        from = at + tag.size();
    }
}

void Util::putTab(std::ostream& out, short n) {
    for (short i = 0; i < n; ++i)
        out << '\t';
}
