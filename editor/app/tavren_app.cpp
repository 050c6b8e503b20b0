#include "editor/app/tavren_app.h"

#include "editor/app/export_command.h"
#include "editor/app/language_module.h"
#include "editor/app/main_frame.h"
#include "editor/app/qt_dialogs.h"
#include "editor/app/splash_dlg.h"
#include "editor/platform/qt_clipboard.h"
#include "editor/platform/qt_message_boxes.h"
#include "editor/platform/qt_settings_store.h"
#include "model/res_strings.h"
#include "model/util.h"
#include "platform/services.h"

#include <QApplication>
#include <QElapsedTimer>

#include <iostream>
#include <set>

namespace {

constexpr int cSplashPauseMs = 100;

// Lets the splash paint while the pause runs.
void pause(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
}

} // namespace

CTavrenApp::CTavrenApp(std::string homeDir) : home(std::move(homeDir)) {}

CTavrenApp::~CTavrenApp() = default;

bool CTavrenApp::InitInstance(const QStringList& files) {
    SelectLanguageModule();

    // The splash deletes itself when its timer closes it.
    auto* splash = new CSplashDlg(CSplashDlg::Splash, home);
    if (!splash->OnInitDialog()) {
        delete splash;
        platform::messageBoxes().show(LoadResString(IDS_INIT_ERROR), MsgButtons::Ok, MsgIcon::Stop,
                                      MsgResult::Ok);
        return false;
    }
    splash->show();
    pause(cSplashPauseMs);

    frame = std::make_unique<CMainFrame>(home);
    frame->setAcceptDrops(true);
    // Desktops without a window manager ignore maximising; the window still fits the screen.
    frame->fitToScreen();
    frame->showMaximized();
    frame->InitControlBars();

    if (files.isEmpty())
        return frame->OnFileNew() != nullptr;
    bool opened = false;
    for (const QString& file : files)
        opened = frame->OpenDocumentFile(file.toStdString()) != nullptr || opened;
    return opened;
}

int CTavrenApp::ExitInstance() {
    frame.reset();
    return 0;
}

void CTavrenApp::ShowAbout() {
    CSplashDlg::showAbout(home, frame.get());
}

namespace {

constexpr int kUsageError = 2;

void printUsage(std::ostream& out) {
    out << "Usage: tavren [OPTION]... [--] [CHART.tvc]...\n"
           "       tavren --export CHART.tvc OUT.svg|OUT.png|OUT.pdf\n"
           "Opens the charts given (a new empty chart when none is), or draws a chart into a\n"
           "picture without a display.\n"
           "\n"
           "  --export    write the chart as SVG, PNG or PDF (by OUT's extension) and exit\n"
           "  --help      show this help and exit\n"
           "  --version   show the version and exit\n"
           "  --          end of options: the names after it are charts, even with a leading -\n"
           "Qt's own options (-style, -platform, ...) are accepted as well.\n";
}

// Qt's own options, which QApplication takes out of the arguments: how many arguments follow
// the option (its value), or -1 for an option that is neither Qt's nor ours.
int qtOptionArguments(std::string option) {
    if (option.rfind("--", 0) == 0)
        option.erase(0, 1); // Qt takes -style and --style alike
    static const std::set<std::string> withValue = {
        "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",  "-qwindowgeometry",
        "-qwindowicon", "-qwindowtitle",       "-session",       "-display", "-geometry",
        "-style",       "-stylesheet",         "-name",          "-title",   "-visual"};
    static const std::set<std::string> flags = {"-reverse", "-widgetcount", "-nograb", "-dograb",
                                                "-sync"};
    if (withValue.count(option))
        return 1;
    if (flags.count(option) || option.rfind("-qmljsdebugger=", 0) == 0 ||
        option.rfind("-style=", 0) == 0 || option.rfind("-stylesheet=", 0) == 0)
        return 0;
    return -1;
}

int usageError(const std::string& what) {
    std::cerr << "tavren: " << what << "\nTry 'tavren --help' for more information.\n";
    return kUsageError;
}

} // namespace

int runTavren(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--export") {
        if (argc != 4)
            return usageError("--export takes a chart and an output file");
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return exportFromCommandLine(argv[2], argv[3], std::cerr);
    }
    // Answered before any window system is reached, so they work without a display.
    for (int i = 1; i < argc && std::string(argv[i]) != "--"; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return 0;
        }
        if (arg == "--version") {
            std::cout << "tavren (Tavren) " << TAVREN_VERSION << "\n";
            return 0;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            const int taken = qtOptionArguments(arg);
            if (taken < 0)
                return usageError("unknown option '" + arg + "'");
            i += taken;
        }
    }

    QApplication app(argc, argv);
    // Qt has taken its own options out of the arguments by now.
    QStringList files = app.arguments().mid(1);
    files.removeOne("--");

    QtMessageBoxes messageBoxes;
    QtSettingsStore settings;
    QtClipboard clipboard;
    QtDialogs dialogs;
    platform::install(&messageBoxes);
    platform::install(&settings);
    platform::install(&clipboard);
    platform::install(&dialogs);

    int result = 1;
    {
        CTavrenApp tavren(Util::get_tn_home_dir());
        if (tavren.InitInstance(files))
            result = QApplication::exec();
        tavren.ExitInstance();
    }
    platform::install(static_cast<MessageBoxes*>(nullptr));
    platform::install(static_cast<SettingsStore*>(nullptr));
    platform::install(static_cast<Clipboard*>(nullptr));
    platform::install(static_cast<DialogRequests*>(nullptr));
    return result;
}
