#include "editor/platform/qt_settings_store.h"

namespace {
QString key(const std::string& section, const std::string& name) {
    return QString::fromStdString(name.empty() ? section : section + "/" + name);
}
} // namespace

QtSettingsStore::QtSettingsStore() : settings(QStringLiteral("Olbrin"), QStringLiteral("Tavren")) {}

std::optional<std::int32_t> QtSettingsStore::readInt(const std::string& section,
                                                     const std::string& name) const {
    const QVariant v = settings.value(key(section, name));
    bool ok = false;
    const int value = v.toInt(&ok);
    // A value that is not a number counts as missing, so its default applies.
    if (!v.isValid() || !ok)
        return std::nullopt;
    return value;
}

std::optional<std::string> QtSettingsStore::readString(const std::string& section,
                                                       const std::string& name) const {
    const QVariant v = settings.value(key(section, name));
    if (!v.isValid())
        return std::nullopt;
    return v.toString().toStdString();
}

void QtSettingsStore::writeInt(const std::string& section, const std::string& name,
                               std::int32_t value) {
    settings.setValue(key(section, name), value);
}

void QtSettingsStore::writeString(const std::string& section, const std::string& name,
                                  const std::string& value) {
    settings.setValue(key(section, name), QString::fromStdString(value));
}
