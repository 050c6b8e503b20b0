// The main window's commands, menus, bars and their layout, driven as the user would; start-up
// (the language, the splash image, the command line) and leaving through File > Exit.

#include "editor/app/language_module.h"
#include "editor/app/printer_setup.h"
#include "editor/app/splash_dlg.h"
#include "model/res_strings.h"
#include "tests/editor/app/app_fixture.h"

namespace {

using namespace testsupport;

const QString cExample = QString(TAVREN_EXAMPLES) + "/door.tvc";

QStringList menuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    return titles;
}

// The editor as a process on no display, or on the offscreen one with its settings in folder.
QProcess* editor(QProcess& p, const fs::path& folder = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(var);
    if (!folder.empty()) {
        env.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
            env.insert(var, QString::fromStdString(folder.string()));
    }
    p.setProcessEnvironment(env);
    return &p;
}

TEST_F(EditorTest, MenusAndCommandsFollowWhetherAChartIsOpen) {
    ASSERT_TRUE(start());
    QMenuBar* bar = frame().menuBar();
    EXPECT_EQ(menuTitles(bar), QStringList({"&File", "&Edit", "Insert", "&View", "&CodeGen",
                                            "&Simulate", "&Window", "&Help"}));
    for (unsigned id : {cmd::EditUndo, cmd::EditPaste})
        EXPECT_FALSE(enabled(id)) << id;
    for (unsigned id :
         {cmd::FileSave, cmd::FilePrint, cmd::Refresh, cmd::Normal, cmd::CloseAll,
          cmd::DefaultSettings, cmd::FindReplace, cmd::ModelProperties, cmd::CodeGenProperties})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(cmd::ZoomNormal));
    trigger(cmd::ZoomIn);
    EXPECT_TRUE(enabled(cmd::ZoomNormal)) << "the menu follows the view's zoom";
    trigger(cmd::ZoomOut);
    trigger(cmd::ZoomIn);
    trigger(cmd::ZoomNormal);
    EXPECT_FALSE(enabled(cmd::ZoomNormal));
    trigger(cmd::FileClose);
    settle();
    EXPECT_EQ(menuTitles(bar), QStringList({"&File", "&Edit", "&View", "&Help"}));
    EXPECT_FALSE(enabled(cmd::FileSave) || enabled(cmd::ZoomIn));
    EXPECT_TRUE(enabled(cmd::FileOpen));
    // With no recent file the group shows one disabled entry.
    EXPECT_EQ(frame().action(cmd::FileMru1)->text(), "Recent File");
    EXPECT_FALSE(enabled(cmd::FileMru1));
}

TEST_F(EditorTest, BarsGetTheirFirstStartPlacesAndKeepTheLayout) {
    ASSERT_TRUE(start());
    QCoreApplication::processEvents();
    QDockWidget* browser = frame().chartBrowser();
    EXPECT_EQ(browser->windowTitle(), "Chart Browser");
    EXPECT_EQ(frame().dockWidgetArea(browser), Qt::RightDockWidgetArea);
    EXPECT_EQ(browser->width(), CMainFrame::cChartBrowserWidth);
    QDockWidget* objects = active().objectBrowser();
    EXPECT_EQ(objects->windowTitle(), "Object Browser");
    EXPECT_EQ(active().dockWidgetArea(objects), Qt::LeftDockWidgetArea);
    EXPECT_EQ(objects->width(), CChildFrame::cObjectBrowserWidth);
    for (unsigned id :
         {cmd::ChartBrowser, cmd::ViewToolbar, cmd::DrawingToolbar, cmd::ViewStatusBar})
        EXPECT_TRUE(frame().action(id)->isChecked()) << id;
    EXPECT_TRUE(browser->isVisible() && frame().toolBar()->isVisible());
    trigger(cmd::ChartBrowser);
    EXPECT_TRUE(browser->isHidden());
    EXPECT_FALSE(frame().action(cmd::ChartBrowser)->isChecked());
    trigger(cmd::ObjectBrowser);
    EXPECT_TRUE(objects->isHidden());
    EXPECT_FALSE(frame().action(cmd::ObjectBrowser)->isChecked());
    // The window fits the screen on a first start and comes back where the user left it.
    const QRect room = frame().screen()->availableGeometry();
    EXPECT_TRUE(room.contains(frame().normalGeometry())) << "first start";
    EXPECT_GE(frame().normalGeometry().width(), room.width() * 3 / 4);
    frame().showNormal();
    frame().setGeometry(QRect(room.topLeft() + QPoint(20, 30), QSize(500, 400)));
    settle();
    const QRect left = frame().normalGeometry();
    ASSERT_TRUE(frame().close());
    EXPECT_EQ(fake.settings.strings["ToolBars/BrowseDir"], dir.home() + "Examples/Socket_C++");
    app->ExitInstance();
    ASSERT_TRUE(start());
    EXPECT_TRUE(frame().chartBrowser()->isHidden());
    EXPECT_FALSE(frame().action(cmd::ChartBrowser)->isChecked());
    EXPECT_EQ(frame().normalGeometry().size(), left.size());
}

TEST_F(EditorTest, HelpAndWebFailuresAreReported) {
    ASSERT_TRUE(start());
    std::vector<QUrl> opened;
    bool viewerAvailable = true;
    frame().setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return viewerAvailable;
    });
    trigger(cmd::HelpUserGuide);
    EXPECT_EQ(fake.messages.shown,
              std::vector<std::string>{"Help file not found. Please reinstall Tavren"});
    EXPECT_TRUE(opened.empty());
    const fs::path tutorial = dir.path() / "Docs" / "Tavren-Tutorial.pdf";
    fs::create_directories(tutorial.parent_path());
    writeFile(tutorial, "%PDF-1.4\n");
    trigger(cmd::HelpTutorial);
    EXPECT_EQ(opened,
              std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(tutorial.string()))});
    EXPECT_EQ(fake.messages.shown.size(), 1u);
    viewerAvailable = false;
    trigger(cmd::HelpTutorial);
    EXPECT_EQ(fake.messages.shown.back(),
              "No default viewer found for help file.\n\nPlease manually open : " +
                  tutorial.string());
    trigger(cmd::HelpWeb);
    EXPECT_EQ(fake.messages.shown.back(),
              std::string("No default browser found for web files.\n\nPlease go to web page : ") +
                  CMainFrame::cWebPage);
}

TEST_F(EditorTest, PrintToFitBelongsToEachChartAndCancelKeepsIt) {
    ASSERT_TRUE(start({cExample}));
    LayoutMgr& first = chart();
    for (bool ok : {false, true}) {
        drive<PrinterSetup>(
            [ok](PrinterSetup& d) {
                d.fitBox()->setChecked(true);
                ok ? d.accept() : d.reject();
            },
            [&] { trigger(cmd::FilePrintSetup); });
        EXPECT_EQ(first.getFitToPage(), ok);
    }
    trigger(cmd::FileNew);
    EXPECT_FALSE(chart().getFitToPage());
    EXPECT_TRUE(first.getFitToPage());
}

TEST_F(EditorTest, DroppedFilesAndRecentFilesOpen) {
    ASSERT_TRUE(start());
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(cExample)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: the application hands drops only to a live drag's target.
    static_cast<QObject&>(frame()).event(&drop);
    ASSERT_EQ(frame().charts().size(), 2u);
    EXPECT_EQ(active().document().GetTitle(), "door.tvc");
    trigger(cmd::FileMru1); // opening it again activates the chart already open
    EXPECT_EQ(frame().charts().size(), 2u);
    // A recent entry that no longer opens is dropped from the list.
    const fs::path gone = dir.path() / "gone.tvc";
    writeFile(gone, "");
    ASSERT_NE(frame().OpenDocumentFile(gone.string()), nullptr);
    trigger(cmd::FileClose);
    settle();
    fs::remove(gone);
    ASSERT_EQ(frame().recentFiles().files().front(), gone.string());
    trigger(cmd::FileMru1);
    EXPECT_EQ(frame().recentFiles().files().front(), fs::absolute(cExample.toStdString()).string());
}

TEST_F(EditorTest, AboutBoxClosesOnAKeyButTheSplashDoesNot) {
    ASSERT_TRUE(start());
    drive<CSplashDlg>([](CSplashDlg& about) { QTest::keyClick(&about, Qt::Key_A); },
                      [&] { trigger(cmd::AppAbout); });
    auto* splash = new CSplashDlg(CSplashDlg::Splash, dir.home()); // the fixture deletes it
    ASSERT_TRUE(splash->OnInitDialog());
    splash->show();
    QTest::keyClick(splash, Qt::Key_Escape);
    QTest::mouseClick(splash, Qt::LeftButton);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(CSplashDlg::cWidth, CSplashDlg::cHeight));
    EXPECT_EQ(CSplashDlg::versionText(), "Version 4.1.0");
}

TEST_F(EditorTest, MissingOrDamagedSplashImageEndsTheStart) {
    const fs::path image = dir.path() / "bin" / "_sp.tn";
    for (std::size_t size : {std::size_t(0), bmp24(387, 242).size() / 2}) {
        fake.messages.shown.clear();
        fs::remove(image);
        if (size)
            writeFile(image, bmp24(387, 242).substr(0, size));
        EXPECT_FALSE(start());
        EXPECT_EQ(
            fake.messages.shown,
            std::vector<std::string>({"Corrupted Installation. Please reinstall.",
                                      "Tavren: Initialization error (E130), Please reinstall."}));
        EXPECT_EQ(app->mainFrame(), nullptr);
    }
}

TEST(LanguageTest, UnreadableOrUnsupportedValuesFallBackToEnglishAndAModuleFillsItsStrings) {
    const std::string unreadable =
        "Unable to read language information from registry. Setting language to English";
    const std::string unsupported =
        "Unsupported language found in registry. Setting language to English";
    const struct {
        std::optional<std::string> value;
        std::vector<std::string> messages;
    } cases[] = {
        {std::nullopt, {}},        // a first start: English is stored without a word
        {"english", {unreadable}}, // does not fit three letters and a zero
        {"FRA", {unsupported}},    // codes are case-sensitive
        {"xyz", {unsupported}},
        {"eng", {}},
        {"ger", {"Unable to load the language DLL 'langger.so'. Please re install Tavren."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.value_or("(none)"));
        FakePlatform fake;
        if (c.value)
            fake.settings.strings["Language/"] = *c.value;
        EXPECT_EQ(SelectLanguageModule(), "eng");
        EXPECT_EQ(fake.messages.shown, c.messages);
        EXPECT_EQ(LoadResString(IDS_APP_TITLE), "Tavren");
        if (!c.value) {
            EXPECT_EQ(fake.settings.strings["Language/"], "eng");
        }
    }
#ifndef __SANITIZE_ADDRESS__ // its dlopen hook searches its own run path, not the test's
    FakePlatform fake;
    fake.settings.strings["Language/"] = "fra";
    EXPECT_EQ(SelectLanguageModule(), "fra");
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(LoadResString(IDS_APP_TITLE), "Tavren (fr)");
    EXPECT_EQ(LoadResString(IDS_UNKNOWN_ERROR), "Unknown Error");
    setResourceStringSource({});
#endif
}

// Help, version, usage errors and export need no display: the window system is never reached.
TEST(CommandLineTest, AnswersAndExportsWithoutADisplay) {
    TempDir dir;
    const QString out = QString::fromStdString((dir.path() / "chart.svg").string());
    const QString none = QString::fromStdString((dir.path() / "none.tvc").string());
    const struct {
        QStringList args;
        int status;
        const char *out, *err;
    } cases[] = {
        {{"--version"}, 0, "tavren (Tavren) ", ""},
        {{"--help"}, 0, "Usage: tavren [OPTION]... [--] [CHART.tvc]...", ""},
        {{"chart.tvc", "-h"}, 0, "Usage:", ""},
        {{"--bogus"}, 2, "", "tavren: unknown option '--bogus'"},
        {{"-style", "fusion", "-x"}, 2, "", "unknown option '-x'"},
        {{"--export", "only.tvc"}, 2, "", "--export takes a chart and an output file"},
        {{"--export", none, out}, 1, "", "No such file or directory"},
        {{"--export", QString(TAVREN_EXAMPLES) + "/traffic_light.tvc", out}, 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QProcess tavren;
        editor(tavren)->start(TAVREN_EXE, c.args);
        ASSERT_TRUE(tavren.waitForFinished(60000));
        EXPECT_EQ(tavren.exitCode(), c.status);
        EXPECT_TRUE(tavren.readAllStandardOutput().startsWith(c.out));
        EXPECT_TRUE(tavren.readAllStandardError().contains(c.err));
        EXPECT_EQ(readFile(out.toStdString()).find("<svg") != std::string::npos,
                  c.status == 0 && c.args[0] == "--export");
    }
}

// File > Exit with a chart open, as a user leaves: the process must end cleanly every time,
// not only usually (a wrong deletion shows in some runs only).
TEST(ExitTest, FileExitWithAChartOpenEndsCleanlyEveryTime) {
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_all);
    for (int run = 0; run < 5; ++run) {
        SCOPED_TRACE(run);
        QProcess tavren;
        editor(tavren, dir.path())->start(TAVREN_EXIT_PROBE, {cExample});
        ASSERT_TRUE(tavren.waitForFinished(60000));
        EXPECT_EQ(tavren.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(tavren.exitCode(), 0);
        // What the offscreen platform plugin itself says about every window is not ours.
        for (const QByteArray& line : tavren.readAllStandardError().split('\n'))
            EXPECT_TRUE(line.isEmpty() || line.startsWith("This plugin does not support"))
                << line.toStdString();
    }
}

} // namespace
