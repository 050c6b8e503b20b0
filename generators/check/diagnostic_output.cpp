#include "generators/check/diagnostic_output.h"

#include "generators/common/json_text.h"

#include <cstdio>

namespace check {

namespace {

using jsontext::quoted;

// SARIF's levels are the same words, except that a note is "note" too.
std::string level(Severity severity) {
    return severityName(severity);
}

std::size_t ruleIndex(const std::string& id) {
    const auto& all = rules();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (id == all[i].id)
            return i;
    return 0;
}

// A file path as a URI reference relative to where the check ran.
std::string uri(const std::string& file) {
    std::string out;
    for (const char c : file) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::string_view("/-._~").find(c) != std::string_view::npos) {
            out += c;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            out += escape;
        }
    }
    return out;
}

} // namespace

void writeText(std::ostream& out, const std::vector<FileDiagnostics>& files) {
    for (const FileDiagnostics& f : files)
        for (const Diagnostic& d : f.diagnostics)
            out << f.file << ": " << severityName(d.severity) << ": " << d.message << " [" << d.rule
                << "]\n";
}

void writeJsonLines(std::ostream& out, const std::vector<FileDiagnostics>& files) {
    for (const FileDiagnostics& f : files)
        for (const Diagnostic& d : f.diagnostics) {
            out << "{\"file\":" << quoted(f.file) << ",\"rule\":" << quoted(d.rule)
                << ",\"severity\":" << quoted(severityName(d.severity))
                << ",\"message\":" << quoted(d.message) << ",\"shapes\":[";
            for (std::size_t i = 0; i < d.shapes.size(); ++i)
                out << (i ? "," : "") << "{\"name\":" << quoted(d.shapes[i].name)
                    << ",\"id\":" << d.shapes[i].id << "}";
            out << "]}\n";
        }
}

void writeSarif(std::ostream& out, const std::vector<FileDiagnostics>& files,
                const std::string& version) {
    out << "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
           "  \"version\": \"2.1.0\",\n  \"runs\": [{\n    \"tool\": {\"driver\": {\n"
           "      \"name\": \"tvccheck\",\n      \"version\": "
        << quoted(version) << ",\n      \"rules\": [\n";
    const auto& all = rules();
    for (std::size_t i = 0; i < all.size(); ++i)
        out << "        {\"id\": " << quoted(all[i].id)
            << ", \"shortDescription\": {\"text\": " << quoted(all[i].summary)
            << "}, \"help\": {\"text\": " << quoted(all[i].help)
            << "}, \"defaultConfiguration\": {\"level\": " << quoted(level(all[i].severity)) << "}}"
            << (i + 1 < all.size() ? ",\n" : "\n");
    out << "      ]\n    }},\n    \"artifacts\": [";
    for (std::size_t i = 0; i < files.size(); ++i)
        out << (i ? ", " : "") << "{\"location\": {\"uri\": " << quoted(uri(files[i].file)) << "}}";
    out << "],\n    \"results\": [";
    bool first = true;
    for (std::size_t f = 0; f < files.size(); ++f)
        for (const Diagnostic& d : files[f].diagnostics) {
            out << (first ? "\n" : ",\n") << "      {\"ruleId\": " << quoted(d.rule)
                << ", \"ruleIndex\": " << ruleIndex(d.rule)
                << ", \"level\": " << quoted(level(d.severity))
                << ", \"message\": {\"text\": " << quoted(d.message)
                << "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": "
                << quoted(uri(files[f].file)) << ", \"index\": " << f << "}}";
            if (!d.shapes.empty()) {
                out << ", \"logicalLocations\": [";
                for (std::size_t i = 0; i < d.shapes.size(); ++i)
                    out << (i ? ", " : "") << "{\"name\": " << quoted(d.shapes[i].name)
                        << ", \"fullyQualifiedName\": "
                        << quoted(d.shapes[i].name + "#" + std::to_string(d.shapes[i].id))
                        << ", \"kind\": \"object\"}";
                out << "]";
            }
            out << "}]}";
            first = false;
        }
    out << (first ? "" : "\n    ") << "]\n  }]\n}\n";
}

} // namespace check
