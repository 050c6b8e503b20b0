#include "editor/app/file_dialogs.h"

#include "model/res_strings.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// The filter of the document template: "Tavren Files (*.tvc)".
QString chartFilter() {
    const QStringList fields = QString::fromStdString(LoadResString(IDS_DOC_TEMPLATE)).split('\n');
    return fields.value(3, "Tavren Files (*.tvc)");
}

QString withExtension(QString path, const QString& extension) {
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += extension;
    return path;
}

class QtFileDialogs : public FileDialogs {
public:
    std::string openChart(const std::string& folder) override {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), {},
                                            QString::fromStdString(folder), chartFilter())
            .toStdString();
    }

    std::string saveChart(const std::string& suggested) override {
        const QString path = QFileDialog::getSaveFileName(
            QApplication::activeWindow(), {}, QString::fromStdString(suggested), chartFilter());
        return withExtension(path, ".tvc").toStdString();
    }

    std::string exportChart(const std::string& suggested) override {
        const QString path = QFileDialog::getSaveFileName(
            QApplication::activeWindow(), QString::fromStdString(LoadResString(IDS_EXPORT_TITLE)),
            QString::fromStdString(suggested),
            QString::fromStdString(LoadResString(IDS_EXPORT_FILTER)));
        return withExtension(path, ".svg").toStdString();
    }

    std::string openTrace(const std::string& folder) override {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), "Replay Trace",
                                            QString::fromStdString(folder),
                                            "Traces (*.txt *.log *.trace);;All Files (*)")
            .toStdString();
    }

    std::string openScxml(const std::string& folder) override {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), "Import SCXML",
                                            QString::fromStdString(folder),
                                            "SCXML Documents (*.scxml *.xml);;All Files (*)")
            .toStdString();
    }
};

QtFileDialogs& qtDialogs() {
    static QtFileDialogs dialogs;
    return dialogs;
}

FileDialogs*& installed() {
    static FileDialogs* impl = nullptr;
    return impl;
}

} // namespace

FileDialogs& fileDialogs() {
    return installed() ? *installed() : qtDialogs();
}

void installFileDialogs(FileDialogs* impl) {
    installed() = impl;
}
