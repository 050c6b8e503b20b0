// tavren_doc2pdf IN.md OUT.pdf TITLE: renders a Markdown document as a PDF.
#include "editor/tools/markdown_pdf.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: tavren_doc2pdf IN.md OUT.pdf TITLE\n", stderr);
        return 2;
    }
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tavren_doc2pdf: %s: %s\n", qPrintable(args[1]),
                     qPrintable(in.errorString()));
        return 1;
    }
    const QString error = writeMarkdownPdf(QString::fromUtf8(in.readAll()), args[3], args[2]);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "tavren_doc2pdf: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
