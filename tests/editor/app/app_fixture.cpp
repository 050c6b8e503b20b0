#include "tests/editor/app/app_fixture.h"

#include "editor/app/splash_dlg.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>

EditorTest::EditorTest() {
    fake.settings.strings["Language/"] = "eng";
    dir.installSplash();
}

EditorTest::~EditorTest() {
    if (app)
        app->ExitInstance();
    // Splash windows that did not live long enough for their timer.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<CSplashDlg*>(w))
            delete w;
    }
    settle();
}

bool EditorTest::start(const QStringList& chartFiles) {
    app = std::make_unique<CTavrenApp>(dir.home());
    return app->InitInstance(chartFiles);
}

void EditorTest::trigger(unsigned id) {
    QAction* act = frame().action(id);
    ASSERT_NE(act, nullptr) << id;
    act->trigger();
}

bool EditorTest::enabled(unsigned id) {
    frame().updateCommands();
    return frame().action(id)->isEnabled();
}

void EditorTest::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

std::filesystem::path EditorTest::openCopy(const std::string& example, const std::string& name) {
    const std::filesystem::path source = std::filesystem::path(TAVREN_EXAMPLES) / example;
    const std::filesystem::path folder = dir.path() / "work";
    std::filesystem::create_directories(folder);
    const std::filesystem::path chart =
        folder / (name.empty() ? source.filename() : std::filesystem::path(name));
    std::filesystem::copy_file(source, chart, std::filesystem::copy_options::overwrite_existing);
    EXPECT_NE(frame().OpenDocumentFile(chart.string()), nullptr);
    return chart;
}
