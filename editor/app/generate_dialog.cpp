#include "editor/app/generate_dialog.h"

#include "model/res_strings.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const unsigned cTitles[] = {IDS_CPP_GENERATION, IDS_C_GENERATION, IDS_CSHARP_GENERATION,
                            IDS_JAVA_GENERATION, IDS_XML_GENERATION};
const char* const cPrograms[] = {"tvc2cpp", "tvc2c", "tvc2cs", "tvc2java", "tvc2xml"};

QLineEdit* readOnly(const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

CGenerateCppDlg::CGenerateCppDlg(int lang, std::string design, std::string bin, QWidget* parent)
    : QDialog(parent), openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      language(lang), designFile(std::move(design)), binDir(std::move(bin)) {
    setWindowTitle(QString::fromStdString(LoadResString(cTitles[language])));
    auto* form = new QFormLayout;
    form->addRow(tr("Design File:"), readOnly(QString::fromStdString(designFile), this));
    form->addRow(tr("Output Folder:"), readOnly(outputFolder(), this));
    debug = new QCheckBox(tr("Debug Info (-g flag)"), this);
    debug->setChecked(language != Xml);
    debug->setEnabled(language != Xml);
    form->addRow(debug);

    outputBox = new QPlainTextEdit(this);
    outputBox->setObjectName("output");
    outputBox->setReadOnly(true);
    outputBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    outputBox->setFont(QFont("Monospace"));
    outputBox->setMinimumSize(560, 260);

    auto* buttons = new QDialogButtonBox(this);
    generateButton = buttons->addButton(tr("Generate"), QDialogButtonBox::ActionRole);
    folderButton = buttons->addButton(tr("Open Output Folder"), QDialogButtonBox::ActionRole);
    buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    connect(generateButton, &QPushButton::clicked, this, &CGenerateCppDlg::OnGenerate);
    connect(folderButton, &QPushButton::clicked, this,
            [this] { openUrl(QUrl::fromLocalFile(outputFolder())); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(outputBox, 1);
    layout->addWidget(buttons);
}

// A generator still running is stopped with the dialog.
CGenerateCppDlg::~CGenerateCppDlg() {
    Shutdown();
}

QString CGenerateCppDlg::programName(int lang) {
    return cPrograms[lang];
}

QString CGenerateCppDlg::program() const {
    return QString::fromStdString(binDir) + programName(language);
}

QStringList CGenerateCppDlg::arguments() const {
    QStringList args{"-d"};
    if (language != Xml && debug->isChecked())
        args << "-g";
    // Absolute, so a file name beginning with '-' is never taken for an option.
    args << QFileInfo(QString::fromStdString(designFile)).absoluteFilePath();
    return args;
}

QString CGenerateCppDlg::outputFolder() const {
    return QFileInfo(QString::fromStdString(designFile)).absolutePath();
}

QString CGenerateCppDlg::output() const {
    return outputBox->toPlainText();
}

void CGenerateCppDlg::OnGenerate() {
    outputBox->clear();
    outDecoder.resetState();
    errDecoder.resetState();
    // File times have whole seconds on some file systems.
    started = QDateTime::currentDateTime().addSecs(-1);
    generateButton->setEnabled(false);
    if (!Launch(program(), arguments()))
        generateButton->setEnabled(true);
}

void CGenerateCppDlg::append(const QString& text) {
    outputBox->moveCursor(QTextCursor::End);
    outputBox->insertPlainText(text);
    outputBox->moveCursor(QTextCursor::End);
}

void CGenerateCppDlg::ReportOutput(const QByteArray& text) {
    append(outDecoder.decode(text));
}

void CGenerateCppDlg::ReportError(const QByteArray& text) {
    append(errDecoder.decode(text));
}

// A failure is never shown as silence: the end always says how the generator ended.
void CGenerateCppDlg::ReportEnd(QProcess::ExitStatus status, int exitCode) {
    if (!output().isEmpty() && !output().endsWith('\n'))
        append("\n");
    if (status == QProcess::CrashExit)
        append(tr("%1 was stopped by signal %2.\n").arg(programName(language)).arg(exitCode));
    else
        append(tr("%1 ended with exit status %2.\n").arg(programName(language)).arg(exitCode));
    if (status == QProcess::NormalExit && exitCode == 0)
        listGeneratedFiles();
    generateButton->setEnabled(true);
}

// The files next to the chart that this run wrote: its name with "TN" and an extension.
void CGenerateCppDlg::listGeneratedFiles() {
    const QFileInfo design(QString::fromStdString(designFile));
    const QString stem = design.completeBaseName() + "TN";
    const QDir folder = design.absoluteDir();
    for (const QFileInfo& file : folder.entryInfoList({stem + ".*"}, QDir::Files, QDir::Name))
        if (file.lastModified() >= started)
            append(tr("Written: %1\n").arg(file.absoluteFilePath()));
}

void CGenerateCppDlg::done(int result) {
    Shutdown();
    QDialog::done(result);
}
