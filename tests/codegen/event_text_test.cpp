// How a label's event text splits into name and parameters, and which lists are refused
// before any generator writes code from them.

#include "codegen/event_text.h"
#include "codegen/model_info.h"

#include <gtest/gtest.h>

namespace {

std::string describe(const EventText& e) {
    std::string text = e.name + "|" + e.signature + "|";
    for (const EventParameter& p : e.parameters)
        text += "[" + p.type + "/" + p.name + "]";
    return text;
}

std::string failure(const std::string& text) {
    try {
        splitEventText(text);
    } catch (const std::string& message) {
        return message;
    }
    return "<accepted>";
}

} // namespace

TEST(EventTextTest, SplitsNameAndParameters) {
    const std::pair<const char*, const char*> cases[] = {
        {"  go ", "go||"},
        {"door open", "door open||"},
        {"tick()", "tick||"},
        {"received(int count, bool last)", "received|int count, bool last|[int/count][bool/last]"},
        {" key ( const std::string &  text ) ", "key|const std::string &  text|"
                                                "[const std::string &/text]"},
        {"m(std::map<int, long> table, unsigned   int n)",
         "m|std::map<int, long> table, unsigned   int n|[std::map<int, long>/table][unsigned "
         "int/n]"},
        {"a(int[] values)", "a|int[] values|[int[]/values]"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(describe(splitEventText(text)), expected) << text;
}

TEST(EventTextTest, RefusesListsNoGeneratorCouldUse) {
    const std::pair<const char*, const char*> cases[] = {
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
    for (const auto& [text, expected] : cases)
        EXPECT_NE(failure(text).find(expected), std::string::npos) << text << ": " << failure(text);
}

TEST(EventTextTest, OneEventOneSignature) {
    ModelInfo& info = *ModelInfo::getInstance();
    info.reset();
    info.addEvent("received", "int count, bool last");
    info.addEvent("received", "int  count,bool last"); // blanks aside, the same
    info.addEvent("go", "");
    try {
        info.addEvent("received", "int n");
        ADD_FAILURE() << "a second signature was accepted";
    } catch (const std::string& message) {
        EXPECT_NE(message.find("\"received\""), std::string::npos) << message;
        EXPECT_NE(message.find("(int count, bool last)"), std::string::npos) << message;
        EXPECT_NE(message.find("(int n)"), std::string::npos) << message;
    }
    EXPECT_EQ(info.messageNames, (std::list<std::string>{"received", "go"}));
    info.reset();
}
