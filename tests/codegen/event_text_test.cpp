// How a label's event text splits into name and parameters, and which lists are refused
// before any generator writes code from them.

#include "codegen/event_text.h"
#include "codegen/model_info.h"

#include <gtest/gtest.h>

namespace {

// The split as "name|signature|[type/name]...", or the refusal's message.
std::string split(const std::string& text) {
    try {
        const EventText e = splitEventText(text);
        std::string out = e.name + "|" + e.signature + "|";
        for (const EventParameter& p : e.parameters)
            out += "[" + p.type + "/" + p.name + "]";
        return out;
    } catch (const std::string& message) {
        return "refused: " + message;
    }
}

} // namespace

TEST(EventTextTest, SplitsNameAndParametersAndRefusesListsNoGeneratorCouldUse) {
    const std::pair<const char*, const char*> accepted[] = {
        {"  go ", "go||"},
        {"door open", "door open||"},
        {"tick()", "tick||"},
        {"received(int count, bool last)", "received|int count, bool last|[int/count][bool/last]"},
        {" key ( const std::string &  text ) ", "key|const std::string &  text|"
                                                "[const std::string &/text]"},
        {"m(std::map<int, long> table, unsigned   int n)",
         "m|std::map<int, long> table, unsigned   int n|[std::map<int, long>/table][unsigned "
         "int/n]"},
        {"a(int[] values)", "a|int[] values|[int[]/values]"}};
    for (const auto& [text, expected] : accepted)
        EXPECT_EQ(split(text), expected) << text;
    const std::pair<const char*, const char*> refused[] = {
        {"received(int count", "is not closed by ')'"},
        {"received int count)", "without a '('"},
        {"received(int count) x", "is followed by \"x\""},
        {"(int count)", "has no event name"},
        {"r(int)", "without a type"},
        {"r(count)", "without a type"},
        {"r(int 3)", "does not end in a name"},
        {"r(int a,)", "empty parameter"},
        {"r(int a, int a)", "names \"a\" twice"},
        {"r(int a = 3)", "default value"},
        {"r(std::map<int, int a)", "unclosed '<'"},
        {"r(int a])", "unbalanced ']'"},
    };
    for (const auto& [text, part] : refused)
        EXPECT_TRUE(split(text).starts_with("refused: ") &&
                    split(text).find(part) != std::string::npos)
            << text << ": " << split(text);
}

TEST(EventTextTest, OneEventOneSignature) {
    ModelInfo& info = *ModelInfo::getInstance();
    info.reset();
    info.addEvent("received", "int count, bool last");
    info.addEvent("received", "int  count,bool last"); // blanks aside, the same
    info.addEvent("go", "");
    std::string message;
    try {
        info.addEvent("received", "int n");
    } catch (const std::string& m) {
        message = m;
    }
    for (const char* part : {"\"received\"", "(int count, bool last)", "(int n)"})
        EXPECT_NE(message.find(part), std::string::npos) << message;
    EXPECT_EQ(info.messageNames, (std::list<std::string>{"received", "go"}));
    info.reset();
}
