#include "tests/editor/app/app_test_support.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <filesystem>

namespace {
// What the offscreen platform plugin itself says about every window; not ours.
std::string withoutPluginNoise(const QByteArray& err) {
    std::string kept;
    for (const QByteArray& line : err.split('\n'))
        if (!line.isEmpty() && !line.startsWith("This plugin does not support"))
            kept += line.toStdString() + "\n";
    return kept;
}
} // namespace

// File > Exit with a chart open, as a user leaves: the process must end cleanly every time,
// not only usually (a wrong deletion shows in some runs only).
TEST(ExitTest, FileExitWithAChartOpenEndsCleanlyEveryTime) {
    testsupport::TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // The user's own settings stay untouched.
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.path().string()));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir.path().string()));
    for (int run = 0; run < 5; ++run) {
        QProcess tavren;
        tavren.setProcessEnvironment(env);
        tavren.start(TAVREN_EXIT_PROBE, {QString(TAVREN_EXAMPLES) + "/traffic_light.tvc"});
        ASSERT_TRUE(tavren.waitForFinished(60000)) << "run " << run;
        EXPECT_EQ(tavren.exitStatus(), QProcess::NormalExit) << "run " << run;
        EXPECT_EQ(tavren.exitCode(), 0) << "run " << run;
        EXPECT_EQ(withoutPluginNoise(tavren.readAllStandardError()), "") << "run " << run;
    }
}
