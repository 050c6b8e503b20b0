// Generating code from the editor as a user does: the pre-generation check, the dialog, the
// generator's output as it arrives, its end, and a generator that must be stopped.

#include "editor/app/generate_dialog.h"
#include "model/shape.h"
#include "tests/editor/app/app_fixture.h"

#include <csignal>
#include <fstream>

namespace {

using namespace testsupport;

class GenerateTest : public EditorTest {
protected:
    // Starts with the program the installation's bin/ offers under the generator's name.
    void startWith(const char* generator) {
        ASSERT_TRUE(start());
        fs::create_symlink(generator, dir.path() / "bin" / "tvc2cpp");
    }
    // Runs script on the generation dialog that command opens, then closes it.
    bool withDialog(unsigned command, const std::function<void(CGenerateCppDlg&)>& script) {
        return shown<CGenerateCppDlg>(
            [&](CGenerateCppDlg& d) {
                script(d);
                d.reject();
            },
            [&] { trigger(command); });
    }
    // Presses Generate and waits for the end line, or for until in the output.
    static QString generate(CGenerateCppDlg& d, const char* until = " ended with exit status") {
        button(d, "Generate")->click();
        const QDeadlineTimer deadline(60000);
        while (!d.output().contains(until) && !d.output().contains(" was stopped by signal") &&
               !d.output().startsWith("Unable to start") && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return d.output();
    }
};

TEST_F(GenerateTest, GeneratesCppThatCompilesWithAndWithoutDebugInfo) {
    startWith(TAVREN_TVC2CPP);
    const fs::path chart = openCopy("traffic_light.tvc");
    fs::copy_file(fs::path(TAVREN_GENERATOR_DATA) / "junction.h",
                  chart.parent_path() / "junction.h");
    for (bool withDebug : {true, false}) {
        SCOPED_TRACE(withDebug);
        ASSERT_TRUE(withDialog(cmd::GenerateCpp, [&](CGenerateCppDlg& d) {
            EXPECT_EQ(d.windowTitle(), "C++ Code Generation");
            auto* debug = d.findChild<QCheckBox*>();
            ASSERT_TRUE(debug->isChecked() && debug->isEnabled());
            debug->setChecked(withDebug);
            const QString out = generate(d);
            EXPECT_TRUE(out.startsWith("Reading model file...\n")) << out.toStdString();
            EXPECT_TRUE(out.contains("tvc2cpp ended with exit status 0.\n"));
            EXPECT_TRUE(out.contains(
                "Written: " + QString::fromStdString(chart.string()).chopped(4) + "TN.cpp"));
        }));
        const auto [status, out] =
            run(TAVREN_CXX,
                {"-std=c++17", "-Wall", "-Wextra", "-Werror", "-I.", "-c", "traffic_lightTN.cpp"},
                chart.parent_path());
        EXPECT_EQ(status, 0) << out;
        const bool traced =
            readFile(chart.parent_path() / "traffic_lightTN.cpp").find("setTrace") !=
            std::string::npos;
        EXPECT_EQ(traced, withDebug);
    }
}

TEST_F(GenerateTest, FailuresAreShownNeverSilent) {
    startWith(TAVREN_TVC2CPP);
    // A model error: a note only, so there is no initial state.
    openCopy("door.tvc", "broken.tvc");
    while (!chart().getModelMgr()->getShapeList().empty())
        delete chart().getModelMgr()->getShapeList().back();
    chart().getModelMgr()->insertShape(cmd::InsertNote, CPoint(10, 10));
    ASSERT_TRUE(active().document().DoFileSave());
    ASSERT_TRUE(withDialog(cmd::GenerateCpp, [](CGenerateCppDlg& d) {
        const QString out = generate(d);
        EXPECT_TRUE(out.contains("FAILURE:\nError : ")) << out.toStdString();
        EXPECT_TRUE(out.endsWith("tvc2cpp ended with exit status 1.\n")) << out.toStdString();
    }));
    // No tvc2c in bin/: the command line says what could not start.
    ASSERT_TRUE(withDialog(cmd::GenerateC, [&](CGenerateCppDlg& d) {
        EXPECT_EQ(generate(d).toStdString(), "Unable to start " + dir.home() + "bin/tvc2c -d -g " +
                                                 active().document().GetPathName() + "\n");
    }));
    // XML never takes -g.
    ASSERT_TRUE(withDialog(cmd::GenerateXml, [](CGenerateCppDlg& d) {
        EXPECT_FALSE(d.findChild<QCheckBox*>()->isEnabled());
        EXPECT_FALSE(d.arguments().contains("-g"));
    }));
}

TEST_F(GenerateTest, AModifiedChartIsSavedFirstAndAnUntitledOneMustBe) {
    startWith(TAVREN_FAKE_GENERATOR); // with a new, untitled chart
    chart().getModelMgr()->insertShape(cmd::InsertNote, CPoint(10, 10));
    fake.messages.answers = {MsgResult::Cancel};
    EXPECT_FALSE(withDialog(cmd::GenerateCpp, [](CGenerateCppDlg&) {}));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown.back().rfind("The model has to be saved", 0), 0u);
    fake.messages.answers = {MsgResult::Ok}; // and then Save As is cancelled
    EXPECT_FALSE(withDialog(cmd::GenerateCpp, [](CGenerateCppDlg&) {}));
    EXPECT_EQ(fake.messages.shown.back(), "Empty model. Cannot generate file.");
}

TEST_F(GenerateTest, TheLauncherKeepsOrderPathsIntactAndLeavesNoChildBehind) {
    startWith(TAVREN_FAKE_GENERATOR);
    // A path a shell would mangle reaches the generator as one argument.
    const fs::path odd = openCopy("door.tvc", "my chart 'quoted' $HOME; rm -rf x & \"it\".tvc");
    ASSERT_TRUE(withDialog(cmd::GenerateCpp, [&](CGenerateCppDlg& d) {
        EXPECT_EQ(generate(d).toStdString(), "arg: -d\narg: -g\narg: " + odd.string() +
                                                 "\ntvc2cpp ended with exit status 3.\n");
    }));
    // Both streams, written in turn and in pieces, shown in the order written.
    openCopy("door.tvc", "streams.tvc");
    ASSERT_TRUE(withDialog(cmd::GenerateCpp, [](CGenerateCppDlg& d) {
        QString expected;
        for (int i = 0; i < 4; ++i)
            expected += QString("out %1 line\nerr %1\n").arg(i);
        EXPECT_EQ(generate(d), expected + "tvc2cpp ended with exit status 0.\n");
        EXPECT_TRUE(button(d, "Generate")->isEnabled());
    }));
    // A generator that never ends is stopped when the dialog closes.
    const fs::path endless = openCopy("door.tvc", "forever.tvc");
    ASSERT_TRUE(withDialog(cmd::GenerateCpp, [&](CGenerateCppDlg& d) {
        generate(d, "running");
        EXPECT_FALSE(button(d, "Generate")->isEnabled()) << "one generator at a time";
    }));
    std::ifstream pidFile(endless.string() + ".pid");
    pid_t pid = 0;
    ASSERT_TRUE(pidFile >> pid);
    EXPECT_NE(::kill(pid, 0), 0) << "the generator still runs";
}

} // namespace
