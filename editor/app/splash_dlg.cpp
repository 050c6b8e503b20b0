#include "editor/app/splash_dlg.h"

#include "editor/app/dib_image.h"
#include "model/res_strings.h"
#include "platform/services.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cstring>

namespace {
constexpr double cVersion = 4.1;
constexpr int cBuild = 0;
const QPoint cVersionAt(270, 150);
} // namespace

CSplashDlg::CSplashDlg(Mode dialogMode, std::string homeDir, QWidget* parent)
    : QDialog(parent), mode(dialogMode), home(std::move(homeDir)) {
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    if (mode == Splash) {
        flags |= Qt::SplashScreen | Qt::WindowStaysOnTopHint;
        setAttribute(Qt::WA_DeleteOnClose);
    } else {
        flags |= Qt::Dialog;
    }
    setWindowFlags(flags);
}

QString CSplashDlg::versionText() {
    return QString::asprintf("%s %2.1f.%d", LoadResString(IDS_VERSION).c_str(), cVersion, cBuild);
}

bool CSplashDlg::OnInitDialog() {
    setFixedSize(cWidth, cHeight);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    loaded = LoadImage(home + "bin/_sp.tn");
    if (!loaded) {
        platform::messageBoxes().show(LoadResString(IDS_CORRUPTED_INSTALLATION), MsgButtons::Ok,
                                      MsgIcon::Warning, MsgResult::Ok);
        return false;
    }
    if (mode == Splash)
        QTimer::singleShot(cSplashMs, this, &QWidget::close);
    return true;
}

void CSplashDlg::showAbout(const std::string& homeDir, QWidget* parent) {
    CSplashDlg about(About, homeDir, parent);
    if (about.OnInitDialog())
        about.exec();
}

bool CSplashDlg::LoadImage(const std::string& path) {
    image = QImage();
    const std::optional<DibImage> dib = loadDib(path);
    if (!dib)
        return false;
    QImage loadedImage(dib->width, dib->height, QImage::Format_RGB32);
    for (int y = 0; y < dib->height; ++y)
        std::memcpy(loadedImage.scanLine(y), dib->pixels.data() + std::size_t(y) * dib->width,
                    std::size_t(dib->width) * sizeof(std::uint32_t));
    image = std::move(loadedImage);
    return true;
}

void CSplashDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (loaded)
        painter.drawImage(QPoint(0, 0), image);
    painter.setPen(Qt::black);
    painter.drawText(QRect(cVersionAt, size()), Qt::AlignLeft | Qt::AlignTop, versionText());
}

// Only the About box closes on a key or a click; the splash waits for its timer.
void CSplashDlg::keyPressEvent(QKeyEvent* event) {
    if (mode == About)
        accept();
    event->accept();
}

void CSplashDlg::mousePressEvent(QMouseEvent* event) {
    if (mode == About && event->button() == Qt::LeftButton)
        accept();
    event->accept();
}
