#pragma once
// `tavren --export chart.tvc out.svg|png|pdf`: the chart read as the editor opens it and
// written through the print path, without a window.

#include <iosfwd>
#include <string>

// 0 on success; otherwise the reason on err and 1.
int exportFromCommandLine(const std::string& chartPath, const std::string& outPath,
                          std::ostream& err);
