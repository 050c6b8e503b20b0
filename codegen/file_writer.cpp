#include "codegen/file_writer.h"

#include <algorithm>
#include <fstream>

namespace {
void writeLines(std::ostream& out, const std::string& text, const std::string* prefix) {
    std::string::size_type pos = 0;
    for (;;) {
        const auto brk = text.find("\r\n", pos);
        if (prefix)
            out << *prefix;
        out << text.substr(pos, brk == std::string::npos ? std::string::npos : brk - pos)
            << std::endl;
        if (brk == std::string::npos)
            return;
        pos = brk + 2;
    }
}
} // namespace

void FileWriter::writeMultiLine(std::ostream& out, const std::string& text) {
    writeLines(out, text, nullptr);
}

void FileWriter::writeMultiLineWithTab(std::ostream& out, const std::string& text,
                                       const std::string& prefix) {
    writeLines(out, text, &prefix);
}

void FileWriter::writeEffect(std::ostream& out, const std::string& effect, std::string prefix) {
    writeLines(out, effect, &prefix);
}

void FileWriter::convertMesgData(const std::list<MesgInfo>& in, std::list<MData>& out) {
    for (const MesgInfo& m : in) {
        MDataEntry entry{m.targetClassName, m.guard, m.effect};
        auto group = std::find_if(out.begin(), out.end(),
                                  [&](const MData& d) { return d.event == m.event; });
        if (group != out.end())
            group->entries.push_back(entry);
        else
            out.push_back(MData{m.event, {entry}});
    }
    for (MData& group : out) {
        const auto unguarded = std::count_if(group.entries.begin(), group.entries.end(),
                                             [](const MDataEntry& e) { return e.guard.empty(); });
        if (unguarded > 1)
            throw "An event without guard found multiple times for, EVENT = " + group.event;
        if (group.entries.size() < 2)
            continue;
        // Equal lengths come out reversed: generators rely on that order.
        group.entries.reverse();
        group.entries.sort([](const MDataEntry& a, const MDataEntry& b) {
            return a.guard.size() > b.guard.size();
        });
    }
}

void FileWriter::copyFile(std::ostream& out, const std::string& fileName) {
    if (fileName.empty())
        throw std::string("Please reinstall Tavren");
    std::ifstream in(fileName);
    if (!in)
        throw "Unable to open file : " + fileName + ", Please reinstall Tavren";
    std::string line;
    // Tested before the read, so a final line break gives one more empty line.
    while (!in.eof()) {
        std::getline(in, line);
        out << line << std::endl;
    }
}

std::string FileWriter::formatFuncName(const std::string& name) {
    std::string result = name;
    for (char& c : result) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!keep)
            c = '_';
    }
    return result;
}
