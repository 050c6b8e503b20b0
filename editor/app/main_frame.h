#pragma once
// The editor's main window: menus, the two toolbars, the status bar, the docking chart browser
// and the document area holding one child frame per open chart. It owns the frame-level
// commands and routes the chart-level ones to the active chart's view.

#include "editor/app/recent_files.h"
#include "view/layout_mgr.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CChildFrame;
class CDirTreeCtrl;
class QAction;
class QDockWidget;
class QMdiArea;
class QMenu;
class QPrinter;
class QToolBar;
class QUrl;

class CDragToolBar;

// Also the command routing of the charts' own context menus.
class CMainFrame : public QMainWindow, public CommandRouter {
    Q_OBJECT
public:
    static constexpr int cChartBrowserWidth = 175;
    static constexpr const char* cWebPage = "https://www.olbrin.com/tavren/";

    // homeDir: the installation home with its trailing '/'.
    explicit CMainFrame(std::string homeDir, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Every command object by its id (menu, toolbar and accelerator share it); null if unknown.
    QAction* action(unsigned id) const;
    QMdiArea* mdiArea() const { return mdi; }
    QDockWidget* chartBrowser() const { return browser; }
    CDirTreeCtrl* chartTree() const { return dirTree; }
    QToolBar* toolBar() const { return standardBar; }
    CDragToolBar* drawingToolBar() const { return drawingBar; }
    const RecentFiles& recentFiles() const { return recent; }
    // The application's printer, made on first use.
    QPrinter& printer();

    CChildFrame* activeChild() const;
    std::vector<CChildFrame*> charts() const;

    // Restores the bar layout and the window's place from the settings, or lays the bars out
    // for a first start.
    void InitControlBars();
    // Most of the screen, centred: the size before (or without) maximising.
    void fitToScreen();
    // A new empty chart titled Tavren_Diagram<n>.
    CChildFrame* OnFileNew();
    // Opens path, or activates the chart already showing it. Null after a reported failure.
    CChildFrame* OpenDocumentFile(const std::string& path);
    // An SCXML document as a new chart titled after it, unsaved. Null after a reported
    // failure or when the user declines.
    CChildFrame* ImportDocument(const std::string& path);
    // Asks about every modified chart first; when the user cancels, nothing is closed.
    bool CloseAllDocuments();
    // Brings the menus, enabling and check marks up to date.
    void updateCommands();

    // --- CommandRouter: a command chosen in a chart's own menu ---
    void onCommand(unsigned id) override;
    bool isCommandEnabled(unsigned id) override;

    // How documents and web pages are handed to the desktop; tests replace it.
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl = std::move(opener); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createBars();
    void buildMenus(bool withChart);
    void updateRecentActions();
    void onChartCommand(unsigned id, CChildFrame& child);
    CChildFrame* showChild(std::unique_ptr<CChildFrame> child);
    void openHelp(const std::string& relativePath);
    void openWebPage();
    void printSetup();
    void generate(CChildFrame& child, int language);
    void exportChart(CChildFrame& child);
    void saveBarState();

    std::string home;
    std::map<unsigned, QAction*> actions;
    std::vector<QMenu*> menus;
    bool menusWithChart = false;
    bool menusBuilt = false;
    QMdiArea* mdi = nullptr;
    QToolBar* standardBar = nullptr;
    CDragToolBar* drawingBar = nullptr;
    QDockWidget* browser = nullptr;
    CDirTreeCtrl* dirTree = nullptr;
    RecentFiles recent;
    std::string browseDir;
    int untitledCount = 0;
    std::unique_ptr<QPrinter> appPrinter;
    std::function<bool(const QUrl&)> openUrl;
};
