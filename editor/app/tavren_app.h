#pragma once
// The editor application: the start-up sequence (language, splash window, main frame, the
// documents named on the command line) and the exit.

#include <QStringList>

#include <memory>
#include <string>

class CMainFrame;

class CTavrenApp {
public:
    // homeDir: the installation home with its trailing '/' (Util::get_tn_home_dir()).
    explicit CTavrenApp(std::string homeDir);
    ~CTavrenApp();

    // files: the charts named on the command line; none opens a new empty chart. False ends
    // the program (after telling the user why, where there is something to tell).
    bool InitInstance(const QStringList& files);
    int ExitInstance();
    void ShowAbout();

    CMainFrame* mainFrame() const { return frame.get(); }

private:
    std::string home;
    std::unique_ptr<CMainFrame> frame;
};

// The whole program: `tavren [chart.tvc ...]` runs the editor; `tavren --export chart.tvc
// out.svg|png|pdf` writes the picture without a display and exits 0, or 1 after printing the
// reason on standard error.
int runTavren(int argc, char** argv);
