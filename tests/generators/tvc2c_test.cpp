// tvc2c on the shipped examples: each chart becomes C99 that compiles warning-free as
// strict C, with and without the trace hook, against small C contexts.

#include "tests/generators/generator_fixture.h"

namespace {

class Tvc2cTest : public GeneratorTest {
protected:
    static ProgramResult tvc2c(std::vector<std::string> args) {
        args.insert(args.begin(), TAVREN_TVC2C);
        return runProgram(args);
    }
    static ProgramResult compileC(const std::string& source, const std::string& object) {
        return runProgram({"gcc", "-std=c99", "-Wall", "-Wextra", "-Wpedantic", "-Werror", "-I",
                           std::string(TAVREN_CPP_TEST_DATA) + "/c", "-c", source, "-o", object});
    }
};

} // namespace

TEST_F(Tvc2cTest, TheExamplesCompileAsStrictC99) {
    for (const char* name : {"door.tvc", "traffic_light.tvc", "media_player.tvc", "history.tvc"}) {
        SCOPED_TRACE(name);
        const auto model = copyExample(name);
        const std::string base = (dir / model.stem()).string();
        for (const bool trace : {false, true}) {
            const ProgramResult r = tvc2c(trace ? std::vector<std::string>{"-d", "-g", model}
                                                : std::vector<std::string>{"-d", model});
            ASSERT_EQ(r.status, 0) << r.out;
            EXPECT_EQ(r.err, "");
            const std::string source = slurp(base + "TN.c");
            const std::string header = slurp(base + "TN.h");
            // The hook and its code exist only with -g.
            EXPECT_EQ(source.find("trace_") != std::string::npos, trace);
            EXPECT_EQ(header.find("_setTrace(") != std::string::npos, trace);
            // The machine lives wherever the user puts it.
            EXPECT_EQ(source.find("malloc"), std::string::npos);
            const ProgramResult gcc = compileC(base + "TN.c", base + ".o");
            EXPECT_EQ(gcc.status, 0) << (trace ? "-g\n" : "") << gcc.err;
        }
    }
}
