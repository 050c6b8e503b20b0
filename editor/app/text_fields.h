#pragma once
// Chart texts in dialog edits. Chart texts hold "\r\n" between lines, Qt's edits "\n". An edit
// the user left alone gives back the bytes it was given (only its line breaks made uniform),
// so a text that is not UTF-8 survives a change to a neighbouring field.

#include <QString>

#include <string>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace textfields {
// Every line break ("\r\n", "\n" or a lone "\r") as "\r\n"; every other byte kept.
std::string withCrLf(const std::string& text);
// Every line break as one blank.
std::string oneLine(const std::string& text);
} // namespace textfields

// A multi-line edit of a text that keeps its lines.
class MultiLineField {
public:
    MultiLineField(const QString& name, QWidget* parent);

    QPlainTextEdit* widget() const { return edit; }
    std::string get() const;

    void set(const std::string& text);

private:
    QPlainTextEdit* edit = nullptr;
    std::string given;
    QString shown;
};

// A single-line edit of a text the chart file stores on one line: line breaks given, typed or
// pasted become blanks, so none can split the file's line.
class SingleLineField {
public:
    SingleLineField(const QString& name, QWidget* parent);

    QLineEdit* widget() const { return edit; }
    std::string get() const;

    void set(const std::string& text);

private:
    QLineEdit* edit = nullptr;
    std::string given;
    QString shown;
};
