// Generating code from the editor as a user does: the pre-generation check, the dialog, the
// generator's output as it arrives, its end, and a generator that must be stopped.

#include "editor/app/child_frame.h"
#include "editor/app/generate_dialog.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "model/note.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "view/layout_mgr.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

class GenerateTest : public EditorTest {
protected:
    // The program the installation's bin/ offers under the generator's name.
    void install(const char* name, const char* target) {
        fs::create_symlink(target, dir.path() / "bin" / name);
    }
    // Runs script on the generation dialog that command opens; false when none opened.
    bool withDialog(unsigned command, const std::function<void(CGenerateCppDlg&)>& script) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<CGenerateCppDlg*>(QApplication::activeModalWidget())) {
                seen = true;
                script(*d);
                d->reject();
            }
        });
        trigger(command);
        return seen;
    }
    // Presses Generate and waits for the end line.
    static QString generate(CGenerateCppDlg& d) {
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text() == "Generate")
                b->click();
        const QDeadlineTimer deadline(60000);
        while (!d.output().contains(" ended with exit status") &&
               !d.output().contains(" was stopped by signal") &&
               !d.output().startsWith("Unable to start") && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return d.output();
    }
};

TEST_F(GenerateTest, GeneratesCppThatCompilesWithAndWithoutDebugInfo) {
    ASSERT_TRUE(start());
    install("tvc2cpp", TAVREN_TVC2CPP);
    const std::string chart = openCopy("traffic_light.tvc");
    fs::copy_file(fs::path(TAVREN_GENERATOR_DATA) / "junction.h",
                  fs::path(chart).parent_path() / "junction.h");
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
            EXPECT_TRUE(
                out.contains("Written: " + QString::fromStdString(chart).chopped(4) + "TN.cpp"));
        }));
        QProcess compiler;
        compiler.setWorkingDirectory(QString::fromStdString(fs::path(chart).parent_path()));
        compiler.start(TAVREN_CXX, {"-std=c++17", "-Wall", "-Wextra", "-Werror", "-I.", "-c",
                                    "traffic_lightTN.cpp"});
        ASSERT_TRUE(compiler.waitForFinished(120000));
        EXPECT_EQ(compiler.exitCode(), 0) << compiler.readAllStandardError().toStdString();
        const bool traced =
            testsupport::readFile(fs::path(chart).parent_path() / "traffic_lightTN.cpp")
                .find("setTrace") != std::string::npos;
        EXPECT_EQ(traced, withDebug);
    }
}

TEST_F(GenerateTest, FailuresAreShownNeverSilent) {
    ASSERT_TRUE(start());
    install("tvc2cpp", TAVREN_TVC2CPP);
    // A model error: a note only, so there is no initial state.
    openCopy("door.tvc", "broken.tvc");
    CChildFrame* child = frame().activeChild();
    LayoutMgr& chart = child->view().layout();
    while (!chart.getModelMgr()->getShapeList().empty())
        delete chart.getModelMgr()->getShapeList().back();
    chart.getModelMgr()->insertShape(cmd::InsertNote, CPoint(10, 10));
    ASSERT_TRUE(child->document().DoFileSave());
    ASSERT_TRUE(withDialog(cmd::GenerateCpp, [](CGenerateCppDlg& d) {
        const QString out = generate(d);
        EXPECT_TRUE(out.contains("FAILURE:\nError : ")) << out.toStdString();
        EXPECT_TRUE(out.endsWith("tvc2cpp ended with exit status 1.\n")) << out.toStdString();
    }));
    // No tvc2c in bin/: the command line says what could not start.
    ASSERT_TRUE(withDialog(cmd::GenerateC, [&](CGenerateCppDlg& d) {
        EXPECT_EQ(generate(d).toStdString(), "Unable to start " + dir.home() + "bin/tvc2c -d -g " +
                                                 child->document().GetPathName() + "\n");
    }));
    // XML never takes -g.
    ASSERT_TRUE(withDialog(cmd::GenerateXml, [](CGenerateCppDlg& d) {
        EXPECT_FALSE(d.findChild<QCheckBox*>()->isEnabled());
        EXPECT_FALSE(d.arguments().contains("-g"));
    }));
}

TEST_F(GenerateTest, AModifiedChartIsSavedFirstAndAnUntitledOneMustBe) {
    ASSERT_TRUE(start()); // a new, untitled chart
    install("tvc2cpp", TAVREN_FAKE_GENERATOR);
    LayoutMgr& chart = frame().activeChild()->view().layout();
    chart.getModelMgr()->insertShape(cmd::InsertNote, CPoint(10, 10));
    fake.messages.answers = {MsgResult::Cancel};
    EXPECT_FALSE(withDialog(cmd::GenerateCpp, [](CGenerateCppDlg&) {}));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown.back().rfind("The model has to be saved", 0), 0u);

    fake.messages.answers = {MsgResult::Ok}; // and then Save As is cancelled
    EXPECT_FALSE(withDialog(cmd::GenerateCpp, [](CGenerateCppDlg&) {}));
    EXPECT_EQ(fake.messages.shown.back(), "Empty model. Cannot generate file.");
}

TEST_F(GenerateTest, TheLauncherKeepsOrderPathsIntactAndLeavesNoChildBehind) {
    ASSERT_TRUE(start());
    install("tvc2cpp", TAVREN_FAKE_GENERATOR);

    // A path a shell would mangle reaches the generator as one argument.
    const std::string odd = "my chart 'quoted' $HOME; rm -rf x & \"it\".tvc";
    const std::string path = openCopy("door.tvc", odd);
    ASSERT_TRUE(withDialog(cmd::GenerateCpp, [&](CGenerateCppDlg& d) {
        EXPECT_EQ(generate(d).toStdString(),
                  "arg: -d\narg: -g\narg: " + path + "\ntvc2cpp ended with exit status 3.\n");
    }));

    // Both streams, written in turn and in pieces, shown in the order written.
    openCopy("door.tvc", "streams.tvc");
    ASSERT_TRUE(withDialog(cmd::GenerateCpp, [](CGenerateCppDlg& d) {
        auto* generateButton = d.findChildren<QPushButton*>().front();
        QString expected;
        for (int i = 0; i < 4; ++i)
            expected += QString("out %1 line\nerr %1\n").arg(i);
        const QString out = generate(d);
        EXPECT_EQ(out, expected + "tvc2cpp ended with exit status 0.\n");
        EXPECT_TRUE(generateButton->isEnabled());
    }));

    // A generator that never ends is stopped when the dialog closes.
    const std::string endless = openCopy("door.tvc", "forever.tvc");
    ASSERT_TRUE(withDialog(cmd::GenerateCpp, [&](CGenerateCppDlg& d) {
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text() == "Generate")
                b->click();
        const QDeadlineTimer deadline(30000);
        while (!d.output().contains("running") && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        for (QPushButton* b : d.findChildren<QPushButton*>()) {
            if (b->text() == "Generate") {
                EXPECT_FALSE(b->isEnabled()) << "one generator at a time";
            }
        }
    }));
    std::ifstream pidFile(endless + ".pid");
    pid_t pid = 0;
    ASSERT_TRUE(pidFile >> pid);
    EXPECT_NE(::kill(pid, 0), 0) << "the generator still runs";
}

} // namespace
