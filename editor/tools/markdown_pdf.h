#pragma once
// Renders a Markdown text as an A4 PDF with page numbers, for the help documents the editor
// opens from its Help menu.

#include <QString>

// Needs a QGuiApplication (fonts). The file is replaced only when the whole document was
// written. Returns an error text, empty on success.
QString writeMarkdownPdf(const QString& markdown, const QString& title, const QString& path);
