#pragma once
// Persistent user settings: sections of named integer and text values. The editor keeps them
// with QSettings; tests use an in-memory store.

#include <cstdint>
#include <optional>
#include <string>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<std::int32_t> readInt(const std::string& section,
                                                const std::string& name) const = 0;
    virtual std::optional<std::string> readString(const std::string& section,
                                                  const std::string& name) const = 0;
    virtual void writeInt(const std::string& section, const std::string& name,
                          std::int32_t value) = 0;
    virtual void writeString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
};
