#include "generators/sim/chart_loader.h"

#include "generators/common/machine_generator.h"

namespace {

class ChartReader : public MachineGenerator {
public:
    explicit ChartReader(const std::string& modelPath) : MachineGenerator(modelPath, true) {}

    genchart::Chart chart;

protected:
    // The front end creates the header a generator would write; a run must leave the user's
    // files alone.
    std::string getheaderfileappend() override { return "dummy"; }

    // Chart names are distinct already; no language renames them here.
    std::string eventIdentifier(const std::string& name) const override { return name; }

    void generateCode() override {
        gennames::NameTable members({});
        gennames::NameTable userCode({});
        chart = buildChart(members, userCode);
    }
};

} // namespace

genchart::Chart loadChart(const std::string& modelPath, ProgressCallback callback) {
    ChartReader reader(modelPath);
    reader.generate(callback);
    return std::move(reader.chart);
}
