#pragma once
// Identifier and literal rules of the Java and C# generators, all in one place: the words no
// chart name may take in either language, the machine class's own members, string literals.

#include <span>
#include <string>
#include <string_view>

namespace managednames {

enum class Language { Java, CSharp };

// Keywords, and the names of the members every class inherits from its root object (an event
// named "wait" or "GetType" must not hide or clash with them).
std::span<const std::string_view> keywords(Language language);

// The members every machine class has: its public API, its context field ctx, the nested
// StateId and EventId classes, the public enums and their no-state value, then the
// generator's own names (ending in '_').
std::span<const std::string_view> machineMembers(Language language);

// A string literal, quotes included, that reads back as the text: UTF-8 becomes \u escapes
// (Java reads source files in the platform's encoding), a byte that is no UTF-8 is taken
// as Latin-1.
std::string stringLiteral(std::string_view text, Language language);

// The text made safe for a // comment; for Java also in ASCII, since javac reads source files
// in the platform's encoding (it reads \u escapes in comments as the characters).
std::string commentText(std::string_view text, Language language);

// An identifier (gennames::identifier) in the language's case for methods: its '_' dropped and
// each word after one capitalised, the first letter small in Java (go_on: goOn) and capital in
// C# (GoOn). It depends on nothing but the identifier.
std::string methodCase(std::string_view identifier, Language language);

// True when the name can be a Java class name as it is (ASCII only, no keyword).
bool isJavaIdentifier(std::string_view name);

} // namespace managednames
