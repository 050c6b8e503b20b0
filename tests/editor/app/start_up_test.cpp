// Start-up: the language choice, the splash image check, and the command-line export.

#include "editor/app/language_module.h"
#include "model/res_strings.h"
#include "tests/editor/app/app_fixture.h"

#include <QProcess>

#include <filesystem>

namespace fs = std::filesystem;

namespace {
const std::string cUnreadable =
    "Unable to read language information from registry. Setting language to English";
const std::string cUnsupported =
    "Unsupported language found in registry. Setting language to English";

void withoutDisplay(QProcess& process) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(var);
    process.setProcessEnvironment(env);
}
} // namespace

TEST(LanguageTest, UnreadableOrUnsupportedValuesFallBackToEnglish) {
    const struct {
        std::optional<std::string> value;
        std::vector<std::string> messages;
    } cases[] = {
        {std::nullopt, {}},         // a first start: English is stored without a word
        {"english", {cUnreadable}}, // does not fit three letters and a zero
        {"FRA", {cUnsupported}},    // codes are case-sensitive
        {"xyz", {cUnsupported}},
        {"eng", {}},
        {"ger", {"Unable to load the language DLL 'langger.so'. Please re install Tavren."}},
    };
    for (const auto& c : cases) {
        FakePlatform fake;
        if (c.value)
            fake.settings.strings["Language/"] = *c.value;
        EXPECT_EQ(SelectLanguageModule(), "eng") << c.value.value_or("(none)");
        EXPECT_EQ(fake.messages.shown, c.messages) << c.value.value_or("(none)");
        EXPECT_EQ(LoadResString(IDS_APP_TITLE), "Tavren");
        if (!c.value) {
            EXPECT_EQ(fake.settings.strings["Language/"], "eng");
        }
    }
}

TEST(LanguageTest, ModuleSuppliesItsStringsAndEnglishFillsTheRest) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer's dlopen hook searches its own run path, not the test's";
#endif
    FakePlatform fake;
    fake.settings.strings["Language/"] = "fra";
    EXPECT_EQ(SelectLanguageModule(), "fra");
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(LoadResString(IDS_APP_TITLE), "Tavren (fr)");
    EXPECT_EQ(LoadResString(IDS_UNKNOWN_ERROR), "Unknown Error");
    setResourceStringSource({});
}

TEST_F(EditorTest, MissingOrDamagedSplashImageEndsTheStart) {
    const fs::path image = dir.path() / "bin" / "_sp.tn";
    std::string truncated = testsupport::bmp24(387, 242);
    truncated.resize(truncated.size() / 2);
    for (const std::optional<std::string>& content :
         {std::optional<std::string>(), std::optional(truncated)}) {
        fake.messages.shown.clear();
        fs::remove(image);
        if (content)
            testsupport::writeFile(image, *content);
        EXPECT_FALSE(start());
        EXPECT_EQ(
            fake.messages.shown,
            std::vector<std::string>({"Corrupted Installation. Please reinstall.",
                                      "Tavren: Initialization error (E130), Please reinstall."}));
        EXPECT_EQ(app->mainFrame(), nullptr);
    }
}

TEST(ExportTest, CommandLineWritesEachFormatWithoutADisplay) {
    testsupport::TempDir dir;
    const QString chart = QString(TAVREN_EXAMPLES) + "/traffic_light.tvc";
    const std::vector<std::pair<QString, QByteArray>> outputs = {
        {"chart.svg", "<svg"}, {"chart.png", "\x89PNG"}, {"chart.pdf", "%PDF"}};
    for (const auto& [name, magic] : outputs) {
        const QString out = QString::fromStdString((dir.path() / name.toStdString()).string());
        QProcess tavren;
        withoutDisplay(tavren);
        tavren.start(TAVREN_EXE, {"--export", chart, out});
        ASSERT_TRUE(tavren.waitForFinished(60000)) << name.toStdString();
        EXPECT_EQ(tavren.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(tavren.exitCode(), 0) << tavren.readAllStandardError().toStdString();
        const std::string bytes = testsupport::readFile(out.toStdString());
        EXPECT_NE(bytes.find(magic.toStdString()), std::string::npos) << name.toStdString();
    }

    QProcess failing;
    failing.start(TAVREN_EXE,
                  {"--export", QString::fromStdString((dir.path() / "none.tvc").string()),
                   QString::fromStdString((dir.path() / "none.svg").string())});
    ASSERT_TRUE(failing.waitForFinished(60000));
    EXPECT_EQ(failing.exitCode(), 1);
    EXPECT_TRUE(failing.readAllStandardError().contains("No such file or directory"));
    EXPECT_FALSE(fs::exists(dir.path() / "none.svg"));
}

// Help, version and usage errors need no display: the window system is never reached.
TEST(CommandLineTest, HelpVersionAndUnknownOptionsAnswerWithoutADisplay) {
    const struct {
        QStringList args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"--version"}, 0, "tavren (Tavren) ", ""},
        {{"--help"}, 0, "Usage: tavren [OPTION]... [--] [CHART.tvc]...", ""},
        {{"chart.tvc", "-h"}, 0, "Usage:", ""},
        {{"--bogus"}, 2, "", "tavren: unknown option '--bogus'"},
        {{"-style", "fusion", "-x"}, 2, "", "unknown option '-x'"},
        {{"--export", "only.tvc"}, 2, "", "--export takes a chart and an output file"},
    };
    for (const auto& c : cases) {
        QProcess tavren;
        withoutDisplay(tavren);
        tavren.start(TAVREN_EXE, c.args);
        ASSERT_TRUE(tavren.waitForFinished(60000));
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(tavren.exitCode(), c.status) << what;
        EXPECT_TRUE(tavren.readAllStandardOutput().startsWith(c.out)) << what;
        EXPECT_TRUE(tavren.readAllStandardError().contains(c.err)) << what;
    }
}
