#pragma once
// A started editor for one test: fake platform services, scripted file dialogs, a temporary
// installation home with its splash image, and the real application and main window.

#include "editor/app/main_frame.h"
#include "editor/app/tavren_app.h"
#include "tests/editor/app/app_test_support.h"
#include "tests/fakes/fake_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

class EditorTest : public ::testing::Test {
protected:
    EditorTest();
    ~EditorTest() override;

    // Starts the application with the given command-line files; false when start-up fails.
    bool start(const QStringList& files = {});
    CMainFrame& frame() { return *app->mainFrame(); }
    void trigger(unsigned id);
    bool enabled(unsigned id);
    // Lets deferred deletions of closed windows happen.
    static void settle();
    // Opens a copy of a chart under the examples folder, in a folder of its own (work/), named
    // name or as the original.
    std::filesystem::path openCopy(const std::string& example, const std::string& name = "");

    FakePlatform fake;
    testsupport::ScriptedFileDialogs files;
    testsupport::TempDir dir;
    std::unique_ptr<CTavrenApp> app;
};
