#pragma once
// The "Code Generation" dialog: starts the chart's generator from the installation's bin/
// folder and shows everything it writes, standard output and standard error in one box, as it
// arrives. Generate is off while a generator runs; closing the dialog stops one still running.

#include "editor/app/redirect.h"

#include <QDateTime>
#include <QDialog>
#include <QStringDecoder>

#include <functional>
#include <string>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QUrl;

class CGenerateCppDlg : public QDialog, public CRedirect {
    Q_OBJECT
public:
    enum Language { Cpp, C, CSharp, Java, Xml };

    // binDir: the folder of the generator programs, with its trailing '/'.
    CGenerateCppDlg(int language, std::string designFile, std::string binDir,
                    QWidget* parent = nullptr);
    ~CGenerateCppDlg() override;

    static QString programName(int language);
    QString program() const;
    // -d, -g when asked for (never for XML), and the model's absolute path as one argument.
    QStringList arguments() const;
    QString outputFolder() const;
    QString output() const;

    // How the output folder is shown in the desktop's file manager; tests replace it.
    std::function<bool(const QUrl&)> openUrl;

public slots:
    void OnGenerate();

protected:
    void ReportOutput(const QByteArray& text) override;
    void ReportError(const QByteArray& text) override;
    void ReportEnd(QProcess::ExitStatus status, int exitCode) override;
    void done(int result) override;

private:
    void append(const QString& text);
    void listGeneratedFiles();

    int language;
    std::string designFile;
    std::string binDir;
    QCheckBox* debug = nullptr;
    QPlainTextEdit* outputBox = nullptr;
    QPushButton* generateButton = nullptr;
    QPushButton* folderButton = nullptr;
    // One per stream, so a character split between two chunks is not garbled.
    QStringDecoder outDecoder{QStringDecoder::Utf8};
    QStringDecoder errDecoder{QStringDecoder::Utf8};
    QDateTime started;
};
