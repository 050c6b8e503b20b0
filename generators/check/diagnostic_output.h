#pragma once
// Diagnostics as a compiler prints them, as JSON lines, and as one SARIF 2.1.0 log.

#include "generators/check/chart_checks.h"

#include <ostream>
#include <string>
#include <vector>

namespace check {

struct FileDiagnostics {
    std::string file;
    std::vector<Diagnostic> diagnostics;
};

void writeText(std::ostream& out, const std::vector<FileDiagnostics>& files);
void writeJsonLines(std::ostream& out, const std::vector<FileDiagnostics>& files);
void writeSarif(std::ostream& out, const std::vector<FileDiagnostics>& files,
                const std::string& version);

} // namespace check
