#pragma once
// How the code-generation front end reports its progress and diagnostic lines: one complete
// line per call, without a line end; the language generator decides where it goes.

#include <string>

using ProgressCallback = void (*)(const std::string&);

// Generators may pass no callback at all.
inline void reportProgress(ProgressCallback callback, const std::string& line) {
    if (callback)
        callback(line);
}
