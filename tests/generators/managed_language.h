#pragma once
// Java and C# as the managed generators' tests see them: the generator, its file suffix, how
// its sources compile with warnings as errors and how the result runs.

#include "tests/generators/run_program.h"

#include <filesystem>
#include <string>
#include <vector>

struct ManagedLanguage {
    const char* name;
    const char* generator;
    const char* suffix; // after the model's base name

    bool java() const { return std::string(name) == "Java"; }

    // Into the folder out: Java's classes, or program.exe (library.dll when nothing has a Main).
    ProgramResult compile(const std::vector<std::string>& sources, const std::filesystem::path& out,
                          bool library = false) const {
        std::vector<std::string> args;
        if (java())
            args = {"javac", "-Xlint:all", "-Werror", "-d", out.string()};
        else
            args = {"mcs", "-warnaserror", "-warn:4", library ? "-target:library" : "-target:exe",
                    "-out:" + (out / (library ? "library.dll" : "program.exe")).string()};
        args.insert(args.end(), sources.begin(), sources.end());
        if (!java())
            std::filesystem::create_directories(out);
        return runProgram(args);
    }

    // The command that runs the main class (Java) or the program (C#), before its arguments.
    std::vector<std::string> run(const std::filesystem::path& out,
                                 const std::string& mainClass) const {
        if (java())
            return {"java", "-XX:TieredStopAtLevel=1", "-cp", out.string(), mainClass};
        return {"mono", (out / "program.exe").string()};
    }
};

inline const ManagedLanguage kJava{"Java", TAVREN_TVC2JAVA, "TN.java"};
inline const ManagedLanguage kCSharp{"CSharp", TAVREN_TVC2CS, "TN.cs"};

inline std::string languageName(const testing::TestParamInfo<const ManagedLanguage*>& info) {
    return info.param->name;
}
