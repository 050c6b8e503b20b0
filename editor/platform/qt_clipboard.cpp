#include "editor/platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QString QtClipboard::mimeType(const std::string& format) {
    return QStringLiteral("application/x-tavren-") + QString::fromStdString(format);
}

void QtClipboard::setData(const std::string& format, const std::string& data) {
    auto* mime = new QMimeData;
    mime->setData(mimeType(format), QByteArray(data.data(), static_cast<qsizetype>(data.size())));
    QGuiApplication::clipboard()->setMimeData(mime); // the clipboard owns it
}

std::optional<std::string> QtClipboard::getData(const std::string& format) const {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    const QString type = mimeType(format);
    if (!mime || !mime->hasFormat(type))
        return std::nullopt;
    const QByteArray bytes = mime->data(type);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
