#pragma once
// The chart a view shows, unsaved changes included, written to a folder of its own for the
// tools that read model files (the simulator, the checks); removed again on destruction.

#include <string>

class LayoutMgr;

class ChartCopy {
public:
    // Throws the reason (a std::string) when it cannot be written.
    explicit ChartCopy(LayoutMgr& view);
    ~ChartCopy();
    ChartCopy(const ChartCopy&) = delete;
    ChartCopy& operator=(const ChartCopy&) = delete;

    const std::string& path() const { return file; }

private:
    std::string folder;
    std::string file;
};
