#include "editor/app/chart_copy.h"

#include "view/layout_mgr.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

// A folder of its own: the front end may leave files beside a model.
ChartCopy::ChartCopy(LayoutMgr& view) {
    std::string pattern = (fs::temp_directory_path() / "tavren_chart_XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::string("Unable to make a temporary folder for the chart.");
    folder = pattern;
    file = (fs::path(folder) / "chart.tvc").string();
    std::ofstream out(file, std::ios::binary);
    view.write(out);
    if (!out) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        throw std::string("Unable to write the chart to a temporary folder.");
    }
}

ChartCopy::~ChartCopy() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
