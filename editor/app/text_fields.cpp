#include "editor/app/text_fields.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QValidator>

namespace {

// CR and LF never occur inside a multi-byte character, so bytes can be scanned one by one.
std::string replaceBreaks(const std::string& text, const char* by) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += by;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return out;
}

QString flattened(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// Accepts anything, with its line breaks turned into blanks; QLineEdit runs typed and pasted
// text through this.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        if (input.contains(u'\r') || input.contains(u'\n')) {
            pos = static_cast<int>(flattened(input.left(pos)).size());
            input = flattened(input);
        }
        return Acceptable;
    }
};

} // namespace

std::string textfields::withCrLf(const std::string& text) {
    return replaceBreaks(text, "\r\n");
}

std::string textfields::oneLine(const std::string& text) {
    return replaceBreaks(text, " ");
}

MultiLineField::MultiLineField(const QString& name, QWidget* parent)
    : edit(new QPlainTextEdit(parent)) {
    edit->setObjectName(name);
}

void MultiLineField::set(const std::string& text) {
    given = text;
    shown = QString::fromStdString(replaceBreaks(text, "\n"));
    edit->setPlainText(shown);
}

// The raw text, because toPlainText() would turn no-break spaces into blanks.
std::string MultiLineField::get() const {
    QString now = edit->document()->toRawText();
    now.replace(QChar::ParagraphSeparator, u'\n');
    return textfields::withCrLf(now == shown ? given : now.toStdString());
}

SingleLineField::SingleLineField(const QString& name, QWidget* parent)
    : edit(new QLineEdit(parent)) {
    edit->setObjectName(name);
    edit->setValidator(new OneLineValidator(edit));
}

void SingleLineField::set(const std::string& text) {
    given = text;
    shown = QString::fromStdString(textfields::oneLine(text));
    edit->setText(shown);
}

std::string SingleLineField::get() const {
    const QString now = edit->text();
    return textfields::oneLine(now == shown ? given : now.toStdString());
}
