#pragma once
// The splash window shown while the editor starts, which doubles as the About box: the
// installation's splash bitmap with the version drawn over it.

#include <QDialog>
#include <QImage>

#include <string>

class CSplashDlg : public QDialog {
    Q_OBJECT
public:
    enum Mode { Splash = 0, About = 1 };
    static constexpr int cWidth = 387;
    static constexpr int cHeight = 242;
    static constexpr int cSplashMs = 800;

    // homeDir: the installation home; the image is homeDir + "bin/_sp.tn".
    CSplashDlg(Mode mode, std::string homeDir, QWidget* parent = nullptr);

    bool isLoaded() const { return loaded; }
    static QString versionText();

    // Sizes and centres the window and loads the image. When it cannot be loaded, says so
    // and returns false; in splash mode a loaded window closes (and deletes itself) after
    // cSplashMs.
    bool OnInitDialog();
    // The About box, modal; not shown when the image cannot be loaded.
    static void showAbout(const std::string& homeDir, QWidget* parent);
    // Replaces the image; false (and no image) when the file is missing or not a bitmap.
    bool LoadImage(const std::string& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Mode mode;
    std::string home;
    QImage image;
    bool loaded = false;
};
