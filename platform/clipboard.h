#pragma once
// The system clipboard, by named private format.

#include <optional>
#include <string>

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setData(const std::string& format, const std::string& data) = 0;
    virtual std::optional<std::string> getData(const std::string& format) const = 0;
};
