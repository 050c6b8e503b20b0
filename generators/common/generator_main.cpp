#include "generators/common/generator_main.h"

#include "codegen/model_info.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <string_view>
#include <vector>

#ifndef TAVREN_VERSION
#define TAVREN_VERSION "unknown"
#endif

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct CommandLine {
    bool help = false;
    bool version = false;
    bool trace = false;
    std::string modelPath;
    std::string error; // set on a usage error
};

// Options come first; from the first other argument on, everything is the model path, so the
// editor's unquoted path with blanks arrives whole. "--" ends the options early.
CommandLine parse(int argc, char** argv) {
    CommandLine cl;
    std::vector<std::string_view> pathParts;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (options) {
            if (arg == "--") {
                options = false;
                continue;
            }
            if (arg == "--help" || arg == "-h") {
                cl.help = true;
                return cl;
            }
            if (arg == "--version") {
                cl.version = true;
                return cl;
            }
            if (arg.size() > 1 && arg[0] == '-') {
                // Short flags may be bundled: -dg.
                for (char flag : arg.substr(1)) {
                    if (flag == 'g')
                        cl.trace = true;
                    else if (flag != 'd') {
                        cl.error = "unknown option '" + std::string(arg) + "'";
                        return cl;
                    }
                }
                continue;
            }
            options = false;
        }
        pathParts.push_back(arg);
    }
    for (std::size_t i = 0; i < pathParts.size(); ++i) {
        if (i > 0)
            cl.modelPath += ' ';
        cl.modelPath += pathParts[i];
    }
    if (cl.modelPath.empty())
        cl.error = "no model file given";
    return cl;
}

void printUsage(std::ostream& out, const GeneratorInfo& info) {
    out << "Usage: " << info.program << " [-d] [-g] MODEL\n" << info.description << "\n";
    if (!info.output.empty())
        out << info.output << "\n";
    out << "\n"
        << "  -d          write the generated files next to the model (the default)\n"
        << (info.usesTrace ? "  -g          add tracing to the generated code\n"
                           : "  -g          accepted and ignored\n")
        << "  -h, --help  show this help and exit\n"
        << "  --version   show the version and exit\n"
        << "  --          end of options, for a model path that starts with '-'\n"
        << "\n"
        << "Everything after the options, joined by single blanks, is the model path, so a\n"
        << "path with blanks works unquoted.\n"
        << "Exit status: 0 done, 1 the generation failed, 2 a usage error.\n";
}

// The front end hands over one complete line at a time; flushed so a reader on a pipe sees
// each step as it happens.
void printProgress(const std::string& line) {
    std::cout << line << std::endl;
}

void reportFailure(CodeGenerator* generator, const std::string& message) {
    if (!generator) {
        std::cout << "FAILURE:" << std::endl << "Error : " << message << std::endl;
        return;
    }
    // No error file: the lines on standard output are the whole report.
    generator->dumpError("", message);
    // Without a header file of its own the run still names one (model base + "dummy"); that
    // file, if it exists, is the user's and must survive the clean-up.
    ModelInfo& info = *ModelInfo::getInstance();
    if (info.headerFileName.empty())
        info.headerFile.clear();
    generator->deleteCreatedFile();
}

} // namespace

int runGenerator(int argc, char** argv, const GeneratorInfo& info, const GeneratorFactory& make) {
    const CommandLine cl = parse(argc, argv);
    if (cl.help) {
        printUsage(std::cout, info);
        return kDone;
    }
    if (cl.version) {
        std::cout << info.program << " (Tavren) " << TAVREN_VERSION << std::endl;
        return kDone;
    }
    if (!cl.error.empty()) {
        std::cerr << info.program << ": " << cl.error << "\n"
                  << "Usage: " << info.program << " [-d] [-g] MODEL (see --help)" << std::endl;
        return kUsage;
    }

    std::unique_ptr<CodeGenerator> generator;
    std::string message;
    try {
        generator = make(cl.modelPath, cl.trace);
        if (!generator)
            throw std::string("No generator for this program");
        generator->generate(printProgress);
        return kDone;
    } catch (const std::string& text) {
        message = text;
    } catch (const char* text) {
        message = text ? text : "unknown error";
    } catch (const std::exception& e) {
        message = std::string("Unexpected failure: ") + e.what();
    } catch (...) {
        message = "Unexpected failure";
    }
    reportFailure(generator.get(), message);
    return kFailed;
}

void saveGeneratedFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw "Unable to open " + path + " for writing.";
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        throw "Unable to write " + path;
}
