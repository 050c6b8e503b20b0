#pragma once
// The system clipboard: each named format travels under its own private MIME type,
// "application/x-tavren-" + the name (e.g. "application/x-tavren-TAVREN_FORMAT").

#include "platform/clipboard.h"

#include <QString>

class QtClipboard : public Clipboard {
public:
    static QString mimeType(const std::string& format);

    // Replaces the clipboard's contents.
    void setData(const std::string& format, const std::string& data) override;
    std::optional<std::string> getData(const std::string& format) const override;
};
