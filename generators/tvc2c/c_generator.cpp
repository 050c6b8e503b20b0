#include "generators/tvc2c/c_generator.h"

#include "codegen/model_info.h"
#include "generators/tvc2c/c_emitter.h"

#include <fstream>
#include <sstream>

namespace {

void save(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw "Unable to open " + path + " for writing.";
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        throw "Unable to write " + path;
}

} // namespace

void CGenerator::generateCode() {
    const ModelInfo& info = *ModelInfo::getInstance();
    cppchart::Chart chart = buildChart();
    // Charts name their context for C++ only; C takes the bare class name as a struct typedef
    // and the same header.
    chart.ctxType = info.ctxNameCPP.empty() ? std::string("Context") : info.ctxNameCPP;
    chart.includes = info.includeFilesC;
    chart.declarations = info.declC;
    std::ostringstream header;
    std::ostringstream source;
    const CEmitter emitter(chart);
    emitter.writeHeader(header);
    emitter.writeSource(source);
    save(info.headerFile, header.str());
    save(info.sourceFile, source.str());
}
