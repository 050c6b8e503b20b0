#include "model/config.h"
#include "model/res_strings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

// The editor asks an installed language first and falls back to English; the
// library has no resources at all, translated or not.
TEST(ResStringsTest, LanguageSourceIsAskedFirstUntilRemoved) {
    struct Guard { // removes the source even when a check fails half-way
        ~Guard() { setResourceStringSource(nullptr); }
    } guard;
    const auto texts = [] {
        return LoadResString(IDS_NOTE) + "|" + LoadResString(40000) + "|" +
               LoadResString(IDS_ENTRY) + "|" + LoadResString(40001) + "|" + LoadResString(0);
    };
    const std::string missing = "-MISSING-|-MISSING-|-MISSING-|-MISSING-|-MISSING-";
    EXPECT_EQ(texts(), config::kInteractive ? "Note|-MISSING-|Entry|-MISSING-|-MISSING-" : missing);
    setResourceStringSource([](unsigned id) -> std::optional<std::string> {
        if (id == IDS_NOTE)
            return "Notiz";
        if (id == 40000)
            return "nur im Modul";
        return std::nullopt;
    });
    EXPECT_EQ(texts(),
              config::kInteractive ? "Notiz|nur im Modul|Entry|-MISSING-|-MISSING-" : missing);
    setResourceStringSource(nullptr);
    EXPECT_EQ(texts(), config::kInteractive ? "Note|-MISSING-|Entry|-MISSING-|-MISSING-" : missing);
}
