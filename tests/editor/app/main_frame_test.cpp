// The main window's commands, menus, bars and their layout, driven as the user would.

#include "editor/app/child_frame.h"
#include "editor/app/command_table.h"
#include "editor/app/drag_tool_bar.h"
#include "editor/app/printer_setup.h"
#include "editor/app/splash_dlg.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_view.h"
#include "platform/command_ids.h"
#include "tests/editor/app/app_fixture.h"
#include "view/layout_mgr.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const QString cExample = QString(TAVREN_EXAMPLES) + "/door.tvc";

std::vector<unsigned> barIds(QToolBar* bar) {
    std::vector<unsigned> ids;
    for (QAction* a : bar->actions())
        ids.push_back(a->isSeparator() ? 0 : a->data().toUInt());
    return ids;
}

QStringList menuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    return titles;
}

// Answers the next modal Print Setup dialog.
void answerPrintSetup(bool fit, bool ok) {
    QTimer::singleShot(0, [fit, ok] {
        auto* dialog = qobject_cast<PrinterSetup*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->fitBox()->setChecked(fit);
        ok ? dialog->accept() : dialog->reject();
    });
}

} // namespace

TEST_F(EditorTest, MenusFollowWhetherAChartIsOpen) {
    ASSERT_TRUE(start());
    QMenuBar* bar = frame().menuBar();
    EXPECT_EQ(menuTitles(bar), QStringList({"&File", "&Edit", "Insert", "&View", "&CodeGen",
                                            "&Simulate", "&Window", "&Help"}));
    trigger(cmd::FileClose);
    settle();
    EXPECT_EQ(menuTitles(bar), QStringList({"&File", "&Edit", "&View", "&Help"}));
    EXPECT_FALSE(enabled(cmd::FileSave));
    EXPECT_FALSE(enabled(cmd::ZoomIn));
    EXPECT_TRUE(enabled(cmd::FileOpen));
    // With no recent file the group shows one disabled entry.
    EXPECT_EQ(frame().action(cmd::FileMru1)->text(), "Recent File");
    EXPECT_FALSE(enabled(cmd::FileMru1));
}

TEST_F(EditorTest, CommandsCarryTheirAcceleratorsPromptsAndBars) {
    ASSERT_TRUE(start());
    const std::vector<std::pair<unsigned, QString>> keys = {
        {cmd::FileNew, "Ctrl+N"}, {cmd::FileSave, "Ctrl+S"}, {cmd::FilePrint, "Ctrl+P"},
        {cmd::ZoomIn, "F2"},      {cmd::ZoomNormal, "F3"},   {cmd::ZoomOut, "F4"},
        {cmd::Refresh, "F5"},     {cmd::Normal, "Esc"},      {cmd::EditDelete, "Ctrl+D"},
    };
    for (const auto& [id, key] : keys)
        EXPECT_TRUE(frame().action(id)->shortcuts().contains(QKeySequence(key))) << id;
    EXPECT_EQ(frame().action(cmd::EditUndo)->shortcuts().size(), 2);

    EXPECT_EQ(frame().action(cmd::ChartBrowser)->statusTip(), "Show or hide the chart browser");
    EXPECT_EQ(frame().action(cmd::ChartBrowser)->toolTip(), "Toggle Chart Browser");
    EXPECT_EQ(frame().action(cmd::CloseAll)->toolTip(), "Close All");

    EXPECT_EQ(barIds(frame().toolBar()), standardToolbar());
    EXPECT_EQ(barIds(frame().drawingToolBar()), drawingToolbar());
    for (unsigned id : {cmd::EditUndo, cmd::EditPaste})
        EXPECT_FALSE(enabled(id)) << id;
    for (unsigned id :
         {cmd::FileSave, cmd::FilePrint, cmd::Refresh, cmd::Normal, cmd::CloseAll,
          cmd::DefaultSettings, cmd::FindReplace, cmd::ModelProperties, cmd::CodeGenProperties})
        EXPECT_TRUE(enabled(id)) << id;
}

// The view tests cover the limits; the menu has to follow the view's enabling.
TEST_F(EditorTest, ZoomMenuFollowsTheView) {
    ASSERT_TRUE(start({cExample}));
    ChartView& view = frame().activeChild()->view();
    EXPECT_FALSE(enabled(cmd::ZoomNormal));
    view.scrollBy(CSize(13, 13));
    EXPECT_EQ(view.layout().getScrollPosition(), CPoint(12, 12)) << "whole units";
    while (enabled(cmd::ZoomIn))
        trigger(cmd::ZoomIn);
    EXPECT_EQ(view.layout().getZoom(), 13);
    trigger(cmd::ZoomOut);
    EXPECT_EQ(view.layout().getZoom(), 12);
    EXPECT_TRUE(enabled(cmd::ZoomIn));
    trigger(cmd::ZoomNormal);
    EXPECT_EQ(view.layout().getZoom(), 6);
    EXPECT_FALSE(enabled(cmd::ZoomNormal));
}

TEST_F(EditorTest, BarsGetTheirFirstStartPlacesAndKeepTheLayout) {
    ASSERT_TRUE(start());
    QCoreApplication::processEvents();
    QDockWidget* browser = frame().chartBrowser();
    EXPECT_EQ(browser->windowTitle(), "Chart Browser");
    EXPECT_EQ(frame().dockWidgetArea(browser), Qt::RightDockWidgetArea);
    EXPECT_EQ(browser->width(), CMainFrame::cChartBrowserWidth);
    CChildFrame* child = frame().activeChild();
    EXPECT_EQ(child->objectBrowser()->windowTitle(), "Object Browser");
    EXPECT_EQ(child->dockWidgetArea(child->objectBrowser()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(child->objectBrowser()->width(), CChildFrame::cObjectBrowserWidth);

    for (unsigned id :
         {cmd::ChartBrowser, cmd::ViewToolbar, cmd::DrawingToolbar, cmd::ViewStatusBar})
        EXPECT_TRUE(frame().action(id)->isChecked()) << id;
    EXPECT_TRUE(browser->isVisible());
    EXPECT_TRUE(frame().toolBar()->isVisible());
    trigger(cmd::ChartBrowser);
    EXPECT_TRUE(browser->isHidden());
    EXPECT_FALSE(frame().action(cmd::ChartBrowser)->isChecked());
    trigger(cmd::ObjectBrowser);
    EXPECT_TRUE(child->objectBrowser()->isHidden());
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
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0], "Help file not found. Please reinstall Tavren");
    EXPECT_TRUE(opened.empty());

    const fs::path tutorial = dir.path() / "Docs" / "Tavren-Tutorial.pdf";
    fs::create_directories(tutorial.parent_path());
    testsupport::writeFile(tutorial, "%PDF-1.4\n");
    trigger(cmd::HelpTutorial);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(tutorial.string())));
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
    CChildFrame* first = frame().activeChild();
    answerPrintSetup(true, false);
    trigger(cmd::FilePrintSetup);
    EXPECT_FALSE(first->view().layout().getFitToPage());
    answerPrintSetup(true, true);
    trigger(cmd::FilePrintSetup);
    EXPECT_TRUE(first->view().layout().getFitToPage());

    trigger(cmd::FileNew);
    EXPECT_FALSE(frame().activeChild()->view().layout().getFitToPage());
    EXPECT_TRUE(first->view().layout().getFitToPage());
}

TEST_F(EditorTest, DroppedFilesAndRecentFilesOpen) {
    ASSERT_TRUE(start());
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(cExample)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: the application hands drops only to a live drag's target.
    static_cast<QObject&>(frame()).event(&drop);
    ASSERT_EQ(frame().charts().size(), 2u);
    EXPECT_EQ(frame().activeChild()->document().GetTitle(), "door.tvc");

    // Opening it again activates the chart already open.
    trigger(cmd::FileMru1);
    EXPECT_EQ(frame().charts().size(), 2u);

    // A recent entry that no longer opens is dropped from the list.
    const fs::path gone = dir.path() / "gone.tvc";
    testsupport::writeFile(gone, "");
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
    QTimer::singleShot(0, [] {
        auto* about = qobject_cast<CSplashDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        QTest::keyClick(about, Qt::Key_A);
    });
    trigger(cmd::AppAbout); // returns once the key has closed it

    auto* splash = new CSplashDlg(CSplashDlg::Splash, dir.home()); // the fixture deletes it
    ASSERT_TRUE(splash->OnInitDialog());
    splash->show();
    QTest::keyClick(splash, Qt::Key_Escape);
    QTest::mouseClick(splash, Qt::LeftButton);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(CSplashDlg::cWidth, CSplashDlg::cHeight));
    EXPECT_EQ(CSplashDlg::versionText(), "Version 4.1.0");
}
