#pragma once
// The settings store on QSettings (organisation "Olbrin", application "Tavren"): section and
// name make the key "section/name"; an empty name is the section's own value, key "section".

#include "platform/settings_store.h"

#include <QSettings>

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();

    std::optional<std::int32_t> readInt(const std::string& section,
                                        const std::string& name) const override;
    std::optional<std::string> readString(const std::string& section,
                                          const std::string& name) const override;
    void writeInt(const std::string& section, const std::string& name, std::int32_t value) override;
    void writeString(const std::string& section, const std::string& name,
                     const std::string& value) override;

private:
    mutable QSettings settings;
};
