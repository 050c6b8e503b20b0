// The code-generation front end on charts of clustered states: each cluster is a binary tree
// of states six levels deep (63 states), each pair of sibling leaves joined by a labelled
// transition. One run reads the file, rebuilds the shapes, derives the hierarchy and fills
// ModelInfo; the generator itself writes nothing.

#include "codegen/code_generator.h"
#include "codegen/model_info.h"
#include "model/archive.h"
#include "model/factory.h"
#include "generators/check/chart_checks.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/mesg.h"
#include "model/model_data.h"
#include "model/model_properties.h"
#include "model/transition.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <unistd.h>

namespace {

constexpr int cDepth = 6;
constexpr LONG cMargin = 2;
constexpr LONG cNameBand = 4;

// Width and height of a state at level (1 top, cDepth leaf) with its whole subtree inside.
LONG widthAt(int level) {
    return level == cDepth ? 12 : 2 * widthAt(level + 1) + 3 * cMargin;
}
LONG heightAt(int level) {
    return level == cDepth ? 8 : heightAt(level + 1) + 2 * cMargin + cNameBand;
}

class ChartBuilder {
public:
    explicit ChartBuilder(int states) : budget(states) {}

    // Enclosing states come first in the list: analysis needs them before what they hold.
    void build() {
        // A top-level initial state leading to the first cluster, so the chart is a machine.
        auto* initial = new InitialState(++lastId, nullptr, CRect(0, 0, 2, 2));
        data.getShapeList().push_back(initial);
        const int columns = 10;
        for (int cluster = 0; budget > 0; ++cluster) {
            const LONG x = 2 + (cluster % columns) * (widthAt(1) + 10);
            const LONG y = 2 + (cluster / columns) * (heightAt(1) + 10);
            addState(1, x, y);
        }
    }

    void write(const std::filesystem::path& file) {
        std::ofstream out(file, std::ios::binary);
        OutArchive ar(out);
        ar.writeHeader();
        out << 6 << "\r\n";
        ModelProperties properties;
        properties.name = "Bench";
        ar << data << properties;
    }

private:
    GenericState* addState(int level, LONG x, LONG y) {
        if (budget == 0)
            return nullptr;
        --budget;
        const CRect r(x, y, x + widthAt(level), y + heightAt(level));
        const long id = ++lastId;
        auto* state = new GenericState(id, nullptr, r, "S" + std::to_string(id));
        data.getShapeList().push_back(state);
        if (id == 102) {
            auto* t = new Transition(++lastId, nullptr, {2, 1}, {x, y + 2});
            t->setHeadStateId(101);
            t->setTailStateId(id);
            data.getShapeList().push_back(t);
        }
        if (level == cDepth)
            return state;
        GenericState* left = addState(level + 1, x + cMargin, y + cMargin + cNameBand);
        GenericState* right =
            addState(level + 1, x + 2 * cMargin + widthAt(level + 1), y + cMargin + cNameBand);
        if (level + 1 == cDepth && left && right)
            join(left, right);
        return state;
    }

    void join(GenericState* from, GenericState* to) {
        const CRect a = from->getRect(), b = to->getRect();
        const LONG midY = (a.top + a.bottom) / 2;
        auto* t = new Transition(++lastId, nullptr, {a.right, midY}, {b.left, midY});
        t->setHeadStateId(from->getObjId());
        t->setTailStateId(to->getObjId());
        data.getShapeList().push_back(t);
        auto* label =
            new Mesg(++lastId, nullptr, CRect(a.right - 4, a.top, b.left + 4, a.top + 3), t);
        label->getTextHandler()->setData("ev" + std::to_string(lastId), "x > 1", "y++;");
        data.getShapeList().push_back(label);
    }

    Factory factory;
    ModelData data{factory};
    int budget;
    long lastId = 100;
};

// One chart file per size, written on first use and removed at exit.
class ChartFiles {
public:
    ChartFiles(const ChartFiles&) = delete;
    ChartFiles& operator=(const ChartFiles&) = delete;
    ~ChartFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    static const std::string& get(int states) {
        static ChartFiles files;
        auto [it, added] = files.paths.try_emplace(states);
        if (added) {
            const auto file = files.dir / ("chart" + std::to_string(states) + ".tvc");
            ChartBuilder builder(states);
            builder.build();
            builder.write(file);
            it->second = file.string();
        }
        return it->second;
    }

private:
    ChartFiles()
        : dir(std::filesystem::temp_directory_path() /
              ("tavren-frontend-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir);
    }

    std::filesystem::path dir;
    std::map<int, std::string> paths;
};

class FrontEndOnly : public CodeGenerator {
public:
    using CodeGenerator::CodeGenerator;

protected:
    void generateCode() override {}
    // No header file next to the chart.
    std::string getheaderfileappend() override { return "dummy"; }
};

void BM_FrontEnd(benchmark::State& state) {
    const int states = static_cast<int>(state.range(0));
    const std::string& file = ChartFiles::get(states);
    for (auto _ : state) {
        FrontEndOnly generator(file);
        generator.generate(nullptr);
        benchmark::DoNotOptimize(ModelInfo::getInstance()->stateInfos.size());
    }
    // The top-level initial state wraps the chart into one more state named after the model.
    if (ModelInfo::getInstance()->stateInfos.size() != static_cast<std::size_t>(states) + 1)
        state.SkipWithError("the records do not hold every state");
    state.SetComplexityN(states);
    state.SetItemsProcessed(state.iterations() * states);
}

// What the editor's check dock pays after each edit: the front end and every check.
void BM_CheckChart(benchmark::State& state) {
    const std::string& file = ChartFiles::get(static_cast<int>(state.range(0)));
    std::size_t found = 0;
    for (auto _ : state)
        found = check::checkChart(file).size();
    for (const auto& d : check::checkChart(file))
        if (d.severity == check::Severity::Error)
            state.SkipWithError(("the chart does not check: " + d.message).c_str());
    benchmark::DoNotOptimize(found);
}

} // namespace

BENCHMARK(BM_CheckChart)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrontEnd)->Arg(1000)->Arg(10000)->Complexity()->Unit(benchmark::kMillisecond);
