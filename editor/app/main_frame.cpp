#include "editor/app/main_frame.h"

#include "editor/app/child_frame.h"
#include "editor/app/command_table.h"
#include "editor/app/default_settings_dlg.h"
#include "editor/app/dir_tree_ctrl.h"
#include "editor/app/drag_tool_bar.h"
#include "editor/app/file_dialogs.h"
#include "editor/app/generate_dialog.h"
#include "editor/app/printer_setup.h"
#include "editor/app/simulate_dock.h"
#include "editor/app/splash_dlg.h"
#include "editor/app/tavren_doc.h"
#include "editor/view/chart_export.h"
#include "editor/view/chart_view.h"
#include "model/res_strings.h"
#include "platform/command_ids.h"
#include "platform/services.h"
#include "view/layout_mgr.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {

QString resString(unsigned id) {
    return QString::fromStdString(LoadResString(id));
}

void showError(const std::string& text) {
    platform::messageBoxes().show(text, MsgButtons::Ok, MsgIcon::Stop, MsgResult::Ok);
}

QMdiSubWindow* subWindowOf(CChildFrame* child) {
    return qobject_cast<QMdiSubWindow*>(child->parentWidget());
}

// The chart's file with another extension, or its title for a chart never saved.
std::string suggestedName(const CTavrenDoc& doc, const char* extension) {
    if (doc.GetPathName().empty())
        return doc.GetTitle() + extension;
    const QFileInfo info(QString::fromStdString(doc.GetPathName()));
    return (info.path() + "/" + info.completeBaseName()).toStdString() + extension;
}

const std::string cToolBars = "ToolBars";

} // namespace

// The icons live in a static library, so their resource must be pulled in by name.
static void initIcons() {
#ifdef TAVREN_HAS_ICONS
    Q_INIT_RESOURCE(icons);
#endif
}

CMainFrame::CMainFrame(std::string homeDir, QWidget* parent)
    : QMainWindow(parent), home(std::move(homeDir)),
      openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    initIcons();
    setWindowTitle(resString(IDS_APP_TITLE));
    setWindowIcon(QIcon(":/icons/tavren.svg"));
    mdi = new QMdiArea(this);
    setCentralWidget(mdi);
    connect(mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::updateCommands);
    createActions();
}

// The charts go first, while nothing they do on their way out can reach a half-destroyed frame.
CMainFrame::~CMainFrame() {
    disconnect(mdi, nullptr, this, nullptr);
    delete mdi;
}

QAction* CMainFrame::action(unsigned id) const {
    auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

QPrinter& CMainFrame::printer() {
    if (!appPrinter)
        appPrinter = std::make_unique<QPrinter>();
    return *appPrinter;
}

CChildFrame* CMainFrame::activeChild() const {
    if (QMdiSubWindow* sub = mdi->currentSubWindow()) {
        auto* child = qobject_cast<CChildFrame*>(sub->widget());
        if (child && !child->isClosed())
            return child;
    }
    const std::vector<CChildFrame*> open = charts();
    return open.empty() ? nullptr : open.back();
}

std::vector<CChildFrame*> CMainFrame::charts() const {
    std::vector<CChildFrame*> result;
    for (QMdiSubWindow* sub : mdi->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(sub->widget());
        if (child && !child->isClosed())
            result.push_back(child);
    }
    return result;
}

void CMainFrame::createActions() {
    auto makeAction = [this](unsigned id, const QString& text) {
        auto* act = new QAction(text, this);
        act->setData(id);
        act->setObjectName(QString("cmd_%1").arg(id));
        const QString icon = QString(":/icons/cmd_%1.svg").arg(id);
        if (QFile::exists(icon))
            act->setIcon(QIcon(icon));
        const std::string prompt = LoadResString(id);
        if (prompt != "-MISSING-") {
            const QStringList parts = QString::fromStdString(prompt).split('\n');
            act->setStatusTip(parts.value(0));
            act->setToolTip(parts.value(1, parts.value(0)));
        }
        // Accelerators work whether or not the command is in the current menus.
        addAction(act);
        actions[id] = act;
        connect(act, &QAction::triggered, this, [this, id] { onCommand(id); });
        return act;
    };
    for (const CommandInfo& info : commandTable()) {
        QAction* act = makeAction(info.id, QString::fromUtf8(info.text));
        act->setShortcuts(info.keys);
    }
    for (unsigned id : {cmd::ObjectBrowser, cmd::ViewToolbar, cmd::DrawingToolbar,
                        cmd::ChartBrowser, cmd::ViewStatusBar, cmd::InsertState, cmd::NewTransition,
                        cmd::InsertInitialState, cmd::InsertFinalState, cmd::InsertNote,
                        cmd::InsertLine, cmd::SimulateMode, cmd::CheckChart})
        actions[id]->setCheckable(true);
    for (int i = 0; i < cmd::cMaxRecentFiles; ++i)
        makeAction(cmd::FileMru1 + i, {});
    updateRecentActions();

    auto* nextPane = new QAction(this);
    nextPane->setShortcut(QKeySequence("F6"));
    connect(nextPane, &QAction::triggered, this, [this] { focusNextChild(); });
    auto* prevPane = new QAction(this);
    prevPane->setShortcut(QKeySequence("Shift+F6"));
    connect(prevPane, &QAction::triggered, this, [this] { focusPreviousChild(); });
    addActions({nextPane, prevPane});
}

void CMainFrame::InitControlBars() {
    setDockNestingEnabled(true);
    updateCommands(); // builds the menu bar

    auto makeToolBar = [this](unsigned titleId, const char* name,
                              const std::vector<unsigned>& buttons) {
        QToolBar* bar = addToolBar(resString(titleId));
        bar->setObjectName(name);
        for (unsigned id : buttons) {
            if (id == 0)
                bar->addSeparator();
            else
                bar->addAction(action(id));
        }
        return bar;
    };
    standardBar = makeToolBar(IDS_TOOLBAR, "ToolBar", standardToolbar());
    drawingBar = new CDragToolBar(resString(IDS_DRAWING_TOOLBAR), this);
    drawingBar->setObjectName("DrawingToolBar");
    drawingBar->setPoster([this](unsigned id) { onCommand(id); });
    for (unsigned id : drawingToolbar()) {
        if (id == 0)
            drawingBar->addSeparator();
        else
            drawingBar->addCommand(action(id));
    }
    addToolBar(drawingBar);

    browser = new QDockWidget(resString(IDS_CHART_BROWSER), this);
    browser->setObjectName("ChartBrowser");
    browser->setAllowedAreas(Qt::AllDockWidgetAreas);
    dirTree = new CDirTreeCtrl(browser);
    dirTree->setFileOpener([this](const std::string& path) {
        if (CDirTreeCtrl::isModelFile(path))
            OpenDocumentFile(path);
    });
    dirTree->Rebuild("", true); // a failure leaves the tree short of items, its reason kept
    browser->setWidget(dirTree);
    addDockWidget(Qt::RightDockWidgetArea, browser);

    statusBar()->addWidget(new QLabel(resString(IDS_IDLE_MESSAGE)), 1);
    for (unsigned id : {IDS_INDICATOR_CAPS, IDS_INDICATOR_NUM, IDS_INDICATOR_SCRL})
        statusBar()->addPermanentWidget(new QLabel(resString(id)));

    // The window is already up, so bars made now are not shown with it.
    for (QWidget* bar : {static_cast<QWidget*>(standardBar), static_cast<QWidget*>(drawingBar),
                         static_cast<QWidget*>(browser), static_cast<QWidget*>(statusBar())})
        bar->show();
    const std::optional<std::string> state = platform::settings().readString(cToolBars, "Layout");
    if (!state || !restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state))))
        resizeDocks({browser}, {cChartBrowserWidth}, Qt::Horizontal);
    if (const auto placed = platform::settings().readString(cToolBars, "Window"))
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*placed)));

    browseDir = platform::settings()
                    .readString(cToolBars, "BrowseDir")
                    .value_or(home + "Examples/Socket_C++");
    dirTree->SelectFolder(browseDir); // a folder that is gone leaves nothing selected
    updateCommands();
}

void CMainFrame::saveBarState() {
    platform::settings().writeString(cToolBars, "Layout", saveState().toBase64().toStdString());
    platform::settings().writeString(cToolBars, "Window", saveGeometry().toBase64().toStdString());
}

void CMainFrame::fitToScreen() {
    const QScreen* where = screen();
    if (!where)
        return;
    const QRect room = where->availableGeometry();
    resize(room.size() * 9 / 10);
    move(room.center() - rect().center());
}

void CMainFrame::buildMenus(bool withChart) {
    // The menus may be the ones whose command is running now (File > Exit or Close closes the
    // last chart), so they go once that command has returned.
    for (QMenu* menu : menus)
        menu->deleteLater();
    menus.clear();
    menuBar()->clear();
    for (const MenuInfo& info : withChart ? menuChart() : menuNoChart()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(info.title));
        menus.push_back(menu);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommands);
        for (unsigned id : info.items) {
            if (id == 0) {
                menu->addSeparator();
            } else if (id == cmd::FileMru1) {
                for (int i = 0; i < cmd::cMaxRecentFiles; ++i)
                    menu->addAction(action(cmd::FileMru1 + i));
            } else {
                menu->addAction(action(id));
            }
        }
    }
    menusWithChart = withChart;
    menusBuilt = true;
}

// With no recent file the first entry stays as a disabled "Recent File".
void CMainFrame::updateRecentActions() {
    const std::vector<std::string>& files = recent.files();
    for (int i = 0; i < cmd::cMaxRecentFiles; ++i) {
        QAction* act = action(cmd::FileMru1 + i);
        const bool used = std::size_t(i) < files.size();
        act->setText(used ? QString("&%1 %2").arg(i + 1).arg(QString::fromStdString(files[i]))
                          : QString("Recent File"));
        act->setEnabled(used);
        act->setVisible(used || i == 0);
    }
}

void CMainFrame::updateCommands() {
    CChildFrame* child = activeChild();
    const bool hasChart = child != nullptr;
    if (!menusBuilt || menusWithChart != hasChart)
        buildMenus(hasChart);

    for (unsigned id :
         {cmd::FileSave,        cmd::FileSaveAs,        cmd::FileExport,     cmd::FileClose,
          cmd::CloseAll,        cmd::GenerateCpp,       cmd::GenerateC,      cmd::GenerateCSharp,
          cmd::GenerateJava,    cmd::GenerateXml,       cmd::FilePrint,      cmd::FilePrintPreview,
          cmd::Normal,          cmd::Refresh,           cmd::ObjectBrowser,  cmd::WindowCascade,
          cmd::WindowTile,      cmd::WindowArrange,     cmd::CopyAsMetafile, cmd::FindReplace,
          cmd::ModelProperties, cmd::CodeGenProperties, cmd::SimulateMode,   cmd::SimulateReplay,
          cmd::CheckChart})
        action(id)->setEnabled(hasChart);
    const bool simulating = hasChart && child->isSimulating();
    action(cmd::SimulateMode)->setChecked(simulating);
    action(cmd::CheckChart)->setChecked(hasChart && child->isChecking());
    for (unsigned id : {cmd::FindReplace, cmd::ModelProperties, cmd::CodeGenProperties})
        action(id)->setEnabled(hasChart && !simulating);
    // What the chart decides itself: tools, deleting, layering, selecting. A simulated chart
    // is read-only: only copying is left.
    for (unsigned id : {cmd::EditUndo, cmd::EditRedo, cmd::EditCut, cmd::EditCopy, cmd::EditPaste,
                        cmd::EditDelete, cmd::BringToFront, cmd::SendToBack, cmd::SelectAll,
                        cmd::InsertState, cmd::NewTransition, cmd::InsertInitialState,
                        cmd::InsertFinalState, cmd::InsertNote, cmd::InsertLine}) {
        const LayoutMgr* chart = hasChart ? &child->view().layout() : nullptr;
        action(id)->setEnabled(chart && chart->isCommandEnabled(id) &&
                               (!simulating || id == cmd::EditCopy));
        if (action(id)->isCheckable())
            action(id)->setChecked(chart && chart->getTool() == id);
    }
    action(cmd::ZoomIn)->setEnabled(hasChart && child->view().canZoomIn());
    action(cmd::ZoomOut)->setEnabled(hasChart && child->view().canZoomOut());
    action(cmd::ZoomNormal)->setEnabled(hasChart && child->view().canZoomNormal());

    action(cmd::ObjectBrowser)->setChecked(hasChart && !child->objectBrowser()->isHidden());
    action(cmd::ViewToolbar)->setChecked(standardBar && !standardBar->isHidden());
    action(cmd::DrawingToolbar)->setChecked(drawingBar && !drawingBar->isHidden());
    action(cmd::ChartBrowser)->setChecked(browser && !browser->isHidden());
    action(cmd::ViewStatusBar)->setChecked(!statusBar()->isHidden());

    const QString app = resString(IDS_APP_TITLE);
    setWindowTitle(hasChart ? app + " - " + QString::fromStdString(child->document().GetTitle())
                            : app);
}

CChildFrame* CMainFrame::OnFileNew() {
    auto child = std::make_unique<CChildFrame>();
    const QStringList fields = resString(IDS_DOC_TEMPLATE).split('\n');
    child->document().SetTitle(fields.value(2, "Tavren_Diagram").toStdString() +
                               std::to_string(++untitledCount));
    if (!child->document().OnNewDocument())
        return nullptr;
    return showChild(std::move(child));
}

CChildFrame* CMainFrame::OpenDocumentFile(const std::string& path) {
    const std::string full =
        QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
    for (CChildFrame* open : charts()) {
        if (open->document().GetPathName() == full) {
            mdi->setActiveSubWindow(subWindowOf(open));
            return open;
        }
    }
    auto child = std::make_unique<CChildFrame>();
    if (!child->document().OnOpenDocument(full))
        return nullptr;
    CChildFrame* shown = showChild(std::move(child));
    shown->document().SetPathName(full);
    return shown;
}

CChildFrame* CMainFrame::ImportDocument(const std::string& path) {
    auto child = std::make_unique<CChildFrame>();
    child->document().SetTitle(
        QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString());
    if (!child->document().OnImportDocument(path))
        return nullptr;
    CChildFrame* shown = showChild(std::move(child));
    shown->document().ForgetSnapshot();
    return shown;
}

CChildFrame* CMainFrame::showChild(std::unique_ptr<CChildFrame> owned) {
    CChildFrame* child = owned.release();
    child->view().initialUpdate();
    child->document().TakeSnapshot();
    child->setWindowTitle(QString::fromStdString(child->document().GetTitle()));
    child->document().onPathChanged = [this, child](const std::string& path) {
        recent.add(path);
        updateRecentActions();
        child->setWindowTitle(QString::fromStdString(child->document().GetTitle()));
        updateCommands();
    };
    const QMdiSubWindow* previous = mdi->activeSubWindow();
    QMdiSubWindow* sub = mdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(child, &CChildFrame::chartClosed, this, &CMainFrame::updateCommands,
            Qt::QueuedConnection);
    connect(&child->view(), &ChartView::zoomChanged, this, &CMainFrame::updateCommands);
    connect(&child->view(), &ChartView::stateChanged, this, &CMainFrame::updateCommands);
    child->view().layout().setCommandRouter(this);
    child->view().layout().setChangeListener([this] { updateCommands(); });
    sub->show();
    // A chart needs room; the child's own size hint is only that of its empty bars, and the
    // area itself may not have its maximised size yet right after start-up.
    sub->resize(screen()->availableGeometry().size() * 2 / 3);
    // The area's own placement looks for free room and put a second chart mostly outside the
    // visible area; cascade from the chart in front instead, back to the corner when that
    // would not fit.
    QPoint at = previous && !previous->isMaximized() ? previous->pos() + QPoint(24, 24) : QPoint();
    if (!mdi->viewport()->rect().contains(QRect(at, sub->size())))
        at = QPoint();
    sub->move(at);
    mdi->setActiveSubWindow(sub);
    updateCommands();
    return child;
}

bool CMainFrame::CloseAllDocuments() {
    const std::vector<CChildFrame*> open = charts();
    for (CChildFrame* child : open) {
        if (!child->document().SaveModified())
            return false;
    }
    for (CChildFrame* child : open) {
        child->setPromptOnClose(false);
        subWindowOf(child)->close();
    }
    updateCommands();
    return true;
}

void CMainFrame::onCommand(unsigned id) {
    switch (id) {
    case cmd::FileNew:
        OnFileNew();
        break;
    case cmd::FileOpen: {
        const std::string path = fileDialogs().openChart(browseDir);
        if (!path.empty())
            OpenDocumentFile(path);
        break;
    }
    case cmd::FileImport: {
        const std::string path = fileDialogs().openScxml(browseDir);
        if (!path.empty())
            ImportDocument(path);
        break;
    }
    case cmd::FilePrintSetup:
        printSetup();
        break;
    case cmd::CloseAll:
        CloseAllDocuments();
        break;
    case cmd::AppExit:
        close();
        break;
    case cmd::AppAbout:
        CSplashDlg::showAbout(home, this);
        break;
    case cmd::DefaultSettings:
        DefaultSettingsDlg::run(this);
        break;
    case cmd::ViewToolbar:
        standardBar->setVisible(standardBar->isHidden());
        break;
    case cmd::DrawingToolbar:
        drawingBar->setVisible(drawingBar->isHidden());
        break;
    case cmd::ChartBrowser:
        browser->setVisible(browser->isHidden());
        break;
    case cmd::ViewStatusBar:
        statusBar()->setVisible(statusBar()->isHidden());
        break;
    case cmd::WindowCascade:
        mdi->cascadeSubWindows();
        break;
    case cmd::WindowTile:
        mdi->tileSubWindows();
        break;
    case cmd::WindowArrange:
        // The document area keeps minimised charts arranged by itself.
        break;
    case cmd::HelpUserGuide:
        openHelp("Docs/Tavren-UserGuide.pdf");
        break;
    case cmd::HelpTutorial:
        openHelp("Docs/Tavren-Tutorial.pdf");
        break;
    case cmd::HelpWeb:
        openWebPage();
        break;
    default:
        if (id >= cmd::FileMru1 && id < cmd::FileMru1 + cmd::cMaxRecentFiles) {
            const std::size_t index = id - cmd::FileMru1;
            if (index < recent.files().size()) {
                const std::string path = recent.files()[index];
                // A stale entry goes once it has failed to open.
                if (!OpenDocumentFile(path)) {
                    recent.remove(path);
                    updateRecentActions();
                }
            }
        } else if (CChildFrame* child = activeChild()) {
            onChartCommand(id, *child);
        }
        break;
    }
    updateCommands();
}

void CMainFrame::onChartCommand(unsigned id, CChildFrame& child) {
    ChartView& view = child.view();
    switch (id) {
    case cmd::FileSave:
        child.document().DoFileSave();
        break;
    case cmd::FileSaveAs:
        child.document().DoSave({});
        break;
    case cmd::FileExport:
        exportChart(child);
        break;
    case cmd::FileClose:
        subWindowOf(&child)->close();
        break;
    case cmd::FilePrint: {
        QPrintDialog dialog(&printer(), this);
        if (dialog.exec() == QDialog::Accepted)
            view.print(printer());
        break;
    }
    case cmd::FilePrintPreview:
        view.printPreview();
        break;
    case cmd::Normal:
        view.normal();
        break;
    case cmd::Refresh:
        view.refresh();
        break;
    case cmd::ZoomIn:
        view.zoomIn();
        break;
    case cmd::ZoomOut:
        view.zoomOut();
        break;
    case cmd::ZoomNormal:
        view.zoomNormal();
        break;
    case cmd::ObjectBrowser:
        child.objectBrowser()->setVisible(child.objectBrowser()->isHidden());
        break;
    case cmd::CopyAsMetafile:
        view.copyAsPicture();
        break;
    case cmd::GenerateCpp:
    case cmd::GenerateC:
    case cmd::GenerateCSharp:
    case cmd::GenerateJava:
    case cmd::GenerateXml:
        generate(child, static_cast<int>(id - cmd::GenerateCpp));
        break;
    case cmd::SimulateMode:
        if (child.isSimulating())
            child.stopSimulation();
        else
            child.startSimulation();
        break;
    case cmd::SimulateReplay:
        if (child.startSimulation())
            child.simulateDock()->replayTrace();
        break;
    case cmd::CheckChart:
        child.toggleCheck();
        break;
    default:
        view.runCommand(id);
        break;
    }
}

// The chart's own menu offers only commands of the chart, which decides their states.
bool CMainFrame::isCommandEnabled(unsigned id) {
    CChildFrame* child = activeChild();
    return child && !child->view().isReadOnly() && child->view().layout().isCommandEnabled(id);
}

// The generator reads the chart from its file, so the file must hold what is shown.
void CMainFrame::generate(CChildFrame& child, int language) {
    CTavrenDoc& doc = child.document();
    if (doc.IsModified()) {
        if (platform::messageBoxes().show(LoadResString(IDS_SAVE_BEFORE_GENERATE),
                                          MsgButtons::OkCancel, MsgIcon::Stop,
                                          MsgResult::Ok) != MsgResult::Ok)
            return;
        // A failed save has been reported; the file on disk is not the chart shown.
        if (!doc.DoFileSave() && !doc.GetPathName().empty())
            return;
    }
    if (doc.GetPathName().empty()) {
        showError(LoadResString(IDS_EMPTY_MODEL));
        return;
    }
    CGenerateCppDlg dialog(language, doc.GetPathName(), home + "bin/", this);
    dialog.openUrl = openUrl;
    dialog.exec();
}

void CMainFrame::printSetup() {
    CChildFrame* child = activeChild();
    if (!child) {
        QPageSetupDialog dialog(&printer(), this);
        dialog.exec();
        return;
    }
    LayoutMgr& layout = child->view().layout();
    bool fit = layout.getFitToPage();
    if (PrinterSetup::edit(fit, printer(), this))
        layout.setFitToPage(fit);
}

void CMainFrame::exportChart(CChildFrame& child) {
    const std::string path = fileDialogs().exportChart(suggestedName(child.document(), ".svg"));
    if (path.empty())
        return;
    try {
        ::exportChart(child.view().layout(), path);
    } catch (const std::string& reason) {
        showError(path + "\n\n" + LoadResString(IDS_COMMAND_FAILED) + reason);
    }
}

void CMainFrame::openHelp(const std::string& relativePath) {
    const std::string path = home + relativePath;
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        showError(LoadResString(IDS_HELP_NOT_FOUND));
        return;
    }
    if (!openUrl(QUrl::fromLocalFile(QString::fromStdString(path))))
        showError(LoadResString(IDS_NO_HELP_VIEWER) + path);
}

void CMainFrame::openWebPage() {
    if (!openUrl(QUrl(cWebPage)))
        showError(LoadResString(IDS_NO_WEB_BROWSER) + cWebPage);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!browseDir.empty())
        platform::settings().writeString(cToolBars, "BrowseDir", browseDir);
    if (!CloseAllDocuments()) {
        event->ignore();
        return;
    }
    saveBarState();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            OpenDocumentFile(url.toLocalFile().toStdString());
    }
    event->acceptProposedAction();
}
