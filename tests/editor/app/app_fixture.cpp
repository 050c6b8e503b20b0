#include "tests/editor/app/app_fixture.h"

#include "editor/app/splash_dlg.h"

#include <fstream>
#include <sstream>

namespace testsupport {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string bmp24(int width, int height) {
    const unsigned stride = (24 * width + 31) / 32 * 4;
    std::string s;
    auto put = [&s](unsigned v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            s += char(v >> 8 * i & 0xFF);
    };
    put(19778, 2);
    for (unsigned v : {54 + stride * height, 0u, 54u, 40u, unsigned(width), unsigned(height)})
        put(v, 4);
    put(1, 2);
    put(24, 2);
    for (unsigned v : {0u, 0u, 2835u, 2835u, 0u, 0u}) // no compression, size left to the reader
        put(v, 4);
    for (int row = height - 1; row >= 0; --row) {
        std::string line;
        for (int x = 0; x < width; ++x)
            line += {char(7), char(row), char(x)};
        line.resize(stride, '\0');
        s += line;
    }
    return s;
}

std::pair<int, std::string> run(const QString& program, const QStringList& args,
                                const fs::path& folder) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!folder.empty())
        p.setWorkingDirectory(QString::fromStdString(folder.string()));
    p.start(program, args);
    const bool ended = p.waitForFinished(120000);
    return {ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAll().toStdString()};
}

std::string text(LayoutMgr& chart) {
    std::ostringstream out;
    chart.write(out);
    return out.str();
}

std::string ScriptedFileDialogs::next(const std::string& suggested) {
    suggestions.push_back(suggested);
    if (answers.empty())
        return {};
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
}

QAbstractButton* button(QWidget& d, const QString& text) {
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
        if (b->text() == text)
            return b;
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

void click(QAbstractButton* b) {
    if (qobject_cast<QCheckBox*>(b))
        b->click();
    else if (b)
        QTest::mouseClick(b, Qt::LeftButton);
}

void type(QWidget& d, const char* name, const QString& text) {
    QWidget* edit = child(d, name);
    if (!edit)
        return;
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit))
        plain->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void choose(QMenu& menu, unsigned id) {
    QAction* act = menu.findChild<QAction*>(QString("cmd_%1").arg(id));
    ASSERT_NE(act, nullptr);
    ASSERT_TRUE(act->isEnabled());
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(act).center());
}

} // namespace testsupport

EditorTest::EditorTest() {
    fake.settings.strings["Language/"] = "eng";
    fs::create_directories(dir.path() / "bin");
    testsupport::writeFile(dir.path() / "bin" / "_sp.tn", testsupport::bmp24(387, 242));
}

EditorTest::~EditorTest() {
    if (app)
        app->ExitInstance();
    // Splash windows that did not live long enough for their timer.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CSplashDlg*>(w))
            delete w;
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

fs::path EditorTest::openCopy(const std::string& example, const std::string& name) {
    const fs::path source = fs::path(TAVREN_EXAMPLES) / example;
    const fs::path folder = dir.path() / "work";
    fs::create_directories(folder);
    const fs::path chart = folder / (name.empty() ? source.filename() : fs::path(name));
    fs::copy_file(source, chart, fs::copy_options::overwrite_existing);
    EXPECT_NE(frame().OpenDocumentFile(chart.string()), nullptr);
    return chart;
}
