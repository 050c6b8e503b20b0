#include "editor/app/tavren_app.h"

#include "editor/app/export_command.h"
#include "editor/app/language_module.h"
#include "editor/app/main_frame.h"
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

int runTavren(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--export") {
        if (argc != 4) {
            std::cerr << "usage: tavren --export CHART.tvc OUT.svg|OUT.png|OUT.pdf\n";
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return exportFromCommandLine(argv[2], argv[3], std::cerr);
    }

    QApplication app(argc, argv);
    QtMessageBoxes messageBoxes;
    QtSettingsStore settings;
    QtClipboard clipboard;
    platform::install(&messageBoxes);
    platform::install(&settings);
    platform::install(&clipboard);

    int result = 1;
    {
        CTavrenApp tavren(Util::get_tn_home_dir());
        if (tavren.InitInstance(app.arguments().mid(1)))
            result = QApplication::exec();
        tavren.ExitInstance();
    }
    platform::install(static_cast<MessageBoxes*>(nullptr));
    platform::install(static_cast<SettingsStore*>(nullptr));
    platform::install(static_cast<Clipboard*>(nullptr));
    return result;
}
