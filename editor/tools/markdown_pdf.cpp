#include "editor/tools/markdown_pdf.h"

#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The Markdown import leaves headings tight against the text above them and code blocks
// unmarked; both matter on paper.
void styleBlocks(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.headingLevel() > 1) {
            format.setTopMargin(14);
            format.setBottomMargin(4);
        } else if (format.hasProperty(QTextFormat::BlockCodeFence)) {
            format.setBackground(QColor(0xF0, 0xF2, 0xF5));
            format.setLeftMargin(6);
        } else {
            continue;
        }
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

} // namespace

QString writeMarkdownPdf(const QString& markdown, const QString& title, const QString& path) {
    QTextDocument doc;
    QFont body = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    body.setPointSizeF(10);
    doc.setDefaultFont(body);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    styleBlocks(doc);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path + ": " + file.errorString();
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tavren"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        // print() adds 2 cm of its own inside these margins, and numbers the pages.
        writer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        doc.print(&writer);
    }
    if (file.error() != QFileDevice::NoError || file.size() == 0)
        return path + ": nothing was written";
    if (!file.commit())
        return path + ": " + file.errorString();
    return {};
}
