#pragma once
// A started editor for one test (fake platform services, scripted file dialogs, a temporary
// installation home with its splash image) and what the application's tests share: files,
// processes, and modal dialogs and pop-up menus driven as the user would.

#include "editor/app/child_frame.h"
#include "editor/app/file_dialogs.h"
#include "editor/app/main_frame.h"
#include "editor/app/tavren_app.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "model/generic_state.h"
#include "model/initial_state.h"
#include "model/mesg.h"
#include "model/transition.h"
#include "platform/command_ids.h"
#include "tests/fakes/fake_platform.h"
#include "view/layout_mgr.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

namespace fs = std::filesystem;

namespace testsupport {

std::string readFile(const fs::path& path);
void writeFile(const fs::path& path, const std::string& bytes);
// A bottom-up 24-bit bitmap file; pixel (x, y) gets red x, green y, blue 7.
std::string bmp24(int width, int height);
// Runs program in folder to its end: its exit code (-1 when it did not end) and both streams.
std::pair<int, std::string> run(const QString& program, const QStringList& args,
                                const fs::path& folder = {});
std::string text(LayoutMgr& chart);
template <class S> std::vector<S*> shapesOf(LayoutMgr& chart) {
    std::vector<S*> found;
    for (Shape* s : chart.getModelMgr()->getShapeList())
        if (auto* k = dynamic_cast<S*>(s))
            found.push_back(k);
    return found;
}

// A fresh folder that is removed with the object; home() is it as an installation's.
struct TempDir {
    QTemporaryDir tmp;
    fs::path path() const { return tmp.path().toStdString(); }
    std::string home() const { return path().string() + "/"; }
};

class ScriptedFileDialogs : public FileDialogs {
public:
    std::deque<std::string> answers; // empty answers cancel; cancels when none left
    std::deque<std::string> suggestions;
    std::string openChart(const std::string& folder) override { return next(folder); }
    std::string saveChart(const std::string& suggested) override { return next(suggested); }
    std::string exportChart(const std::string& suggested) override { return next(suggested); }
    std::string openTrace(const std::string& folder) override { return next(folder); }
    std::string openScxml(const std::string& folder) override { return next(folder); }
    ScriptedFileDialogs() { installFileDialogs(this); }
    ~ScriptedFileDialogs() override { installFileDialogs(nullptr); }

private:
    std::string next(const std::string& suggested);
};

// Runs script on the next modal dialog (or pop-up menu) of type D that request opens; false
// when none opened. One the script leaves open is closed, so a failing test cannot hang.
template <class D>
bool shown(const std::function<void(std::type_identity_t<D>&)>& script,
           const std::function<void()>& request) {
    bool found = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* w = qobject_cast<D*>(std::is_base_of_v<QMenu, D> ? QApplication::activePopupWidget()
                                                               : QApplication::activeModalWidget());
        if (!w)
            return timer.start(10);
        found = true;
        script(*w);
        if (w->isVisible()) {
            ADD_FAILURE() << "the script left it open";
            w->close();
        }
    });
    timer.start(0);
    request();
    return found;
}
template <class D = QDialog>
void drive(const std::function<void(std::type_identity_t<D>&)>& script,
           const std::function<void()>& request) {
    EXPECT_TRUE(shown<D>(script, request)) << "nothing opened";
}

template <class W = QWidget> W* child(QWidget& d, const char* name) {
    auto* w = d.findChild<W*>(name);
    if (!w)
        ADD_FAILURE() << "no control " << name;
    return w;
}
QAbstractButton* button(QWidget& d, const QString& text);
// A check box stretched by its layout takes clicks only near its text: toggled as they would.
void click(QAbstractButton* b);
inline void click(QWidget& d, const QString& text) {
    click(button(d, text));
}
inline void clickNamed(QWidget& d, const char* name) {
    click(child<QAbstractButton>(d, name));
}
// Replaces the field's text by typing.
void type(QWidget& d, const char* name, const QString& text);
// Clicks the menu's entry for the command.
void choose(QMenu& menu, unsigned id);

} // namespace testsupport

class EditorTest : public ::testing::Test {
protected:
    EditorTest();
    ~EditorTest() override;
    // Starts the application with the given command-line files; false when start-up fails.
    bool start(const QStringList& files = {});
    CMainFrame& frame() { return *app->mainFrame(); }
    CChildFrame& active() { return *frame().activeChild(); }
    LayoutMgr& chart() { return active().view().layout(); }
    void trigger(unsigned id);
    bool enabled(unsigned id);
    // Lets deferred deletions of closed windows happen.
    static void settle();
    // Opens a copy of a chart under the examples folder, in a folder of its own (work/), named
    // name or as the original.
    fs::path openCopy(const std::string& example, const std::string& name = "");
    FakePlatform fake;
    testsupport::ScriptedFileDialogs files;
    testsupport::TempDir dir;
    std::unique_ptr<CTavrenApp> app;
};
