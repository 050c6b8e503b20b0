// scxml2tvc: an SCXML document as a Tavren chart, FILE.scxml to FILE.tvc.

#include "generators/tvc2scxml/scxml_import.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>

int main(int argc, char** argv) {
    bool lenient = false;
    bool force = false;
    std::string path;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--lenient")
            lenient = true;
        else if (arg == "--force")
            force = true;
        else if (arg == "-o" && i + 1 < argc)
            output = argv[++i];
        else if (arg == "-h" || arg == "--help") {
            std::cout << "Usage: scxml2tvc [--lenient] [--force] [-o CHART.tvc] FILE.scxml\n"
                         "Writes the chart FILE.tvc next to the document (or CHART.tvc).\n"
                         "  --lenient  drop what a chart cannot hold and list it, instead of "
                         "failing\n"
                         "  --force    replace a chart that is there already\n"
                         "Exit status: 0 done, 1 the import failed, 2 a usage error.\n";
            return 0;
        } else if (path.empty())
            path = arg;
        else {
            std::cerr << "scxml2tvc: more than one file given\n";
            return 2;
        }
    }
    if (path.empty()) {
        std::cerr << "scxml2tvc: no file given\nUsage: scxml2tvc [--lenient] FILE.scxml\n";
        return 2;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cout << "FAILURE:\nError : Unable to open " << path << std::endl;
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const scxmlimport::Result result = scxmlimport::importScxml(text.str(), lenient);
    for (const std::string& line : result.dropped)
        std::cout << "Dropped: " << path << ": " << line << "\n";
    if (!result.ok) {
        std::cout << "FAILURE:\n";
        for (const std::string& line : result.problems)
            std::cout << "Error : " << path << ": " << line << "\n";
        std::cout.flush();
        return 1;
    }
    const std::filesystem::path out = output.empty()
                                          ? std::filesystem::path(path).replace_extension(".tvc")
                                          : std::filesystem::path(output);
    // A chart is the user's work: it is replaced only when asked to.
    if (!force && std::filesystem::exists(out)) {
        std::cout << "FAILURE:\nError : " << out.string()
                  << " exists already; use --force to replace it or -o to write elsewhere"
                  << std::endl;
        return 1;
    }
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file << result.modelText;
    file.close();
    if (!file) {
        std::cout << "FAILURE:\nError : Unable to write " << out.string() << std::endl;
        return 1;
    }
    std::cout << "Written " << out.string() << std::endl;
    return 0;
}
