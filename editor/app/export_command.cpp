#include "editor/app/export_command.h"

#include "editor/view/chart_export.h"
#include "view/layout_mgr.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

int exportFromCommandLine(const std::string& chartPath, const std::string& outPath,
                          std::ostream& err) {
    errno = 0;
    std::ifstream in(chartPath);
    if (!in) {
        err << "tavren: " << chartPath << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    LayoutMgr layout;
    try {
        layout.read(in);
        layout.initialUpdate();
        exportChart(layout, outPath);
    } catch (const std::string& reason) {
        err << "tavren: " << chartPath << ": " << reason << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "tavren: " << chartPath << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
