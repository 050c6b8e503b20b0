#pragma once
// Runs a program from the outside with an argument vector (no shell) and collects what it
// prints, standard output and standard error apart.

#include <string>
#include <vector>

struct ProgramResult {
    int status = -1; // the exit status; 128 + signal number when killed by a signal
    std::string out;
    std::string err;
};

// What the program reads on standard input (written whole, so small enough for a pipe), how
// long it may run before it is killed, and whether standard error goes to out as well.
struct RunOptions {
    std::string input;
    int timeoutMs = -1;
    bool mergeErr = false;
};

// args[0] is the program, looked up in PATH when it holds no slash.
ProgramResult runProgram(const std::vector<std::string>& args, const RunOptions& options = {});
// The text cut at line feeds; no empty last piece for a final line feed.
std::vector<std::string> splitLines(const std::string& text);
