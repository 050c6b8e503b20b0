// tavren_splash OUT: draws the splash picture and writes it as a 24-bit Windows bitmap.
#include "editor/tools/bmp_file.h"
#include "editor/tools/splash_picture.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fputs("usage: tavren_splash OUT\n", stderr);
        return 2;
    }
    const QByteArray bytes = encodeBmp24(drawSplashPicture());
    // Through a temporary file: a failed run must not leave a truncated image behind.
    QSaveFile file(args[1]);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "tavren_splash: %s: %s\n", qPrintable(args[1]),
                     qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
