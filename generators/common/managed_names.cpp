#include "generators/common/managed_names.h"

#include "generators/common/names.h"

#include <algorithm>
#include <cstdio>

namespace managednames {

namespace {

constexpr std::string_view kJavaKeywords[] = {
    "abstract", "assert",  "boolean",    "break",     "byte",       "case",      "catch",
    "char",     "class",   "const",      "continue",  "default",    "do",        "double",
    "else",     "enum",    "extends",    "final",     "finally",    "float",     "for",
    "goto",     "if",      "implements", "import",    "instanceof", "int",       "interface",
    "long",     "native",  "new",        "package",   "private",    "protected", "public",
    "return",   "short",   "static",     "strictfp",  "super",      "switch",    "synchronized",
    "this",     "throw",   "throws",     "transient", "try",        "void",      "volatile",
    "while",    "true",    "false",      "null",      "var",        "yield",     "record",
    "sealed",   "permits", "module",     "exports",   "getClass",   "hashCode",  "equals",
    "toString", "notify",  "notifyAll",  "wait",      "clone",      "finalize",
};

constexpr std::string_view kCSharpKeywords[] = {
    "abstract",
    "as",
    "base",
    "bool",
    "break",
    "byte",
    "case",
    "catch",
    "char",
    "checked",
    "class",
    "const",
    "continue",
    "decimal",
    "default",
    "delegate",
    "do",
    "double",
    "else",
    "enum",
    "event",
    "explicit",
    "extern",
    "false",
    "finally",
    "fixed",
    "float",
    "for",
    "foreach",
    "goto",
    "if",
    "implicit",
    "in",
    "int",
    "interface",
    "internal",
    "is",
    "lock",
    "long",
    "namespace",
    "new",
    "null",
    "object",
    "operator",
    "out",
    "override",
    "params",
    "private",
    "protected",
    "public",
    "readonly",
    "ref",
    "return",
    "sbyte",
    "sealed",
    "short",
    "sizeof",
    "stackalloc",
    "static",
    "string",
    "struct",
    "switch",
    "this",
    "throw",
    "true",
    "try",
    "typeof",
    "uint",
    "ulong",
    "unchecked",
    "unsafe",
    "ushort",
    "using",
    "virtual",
    "void",
    "volatile",
    "while",
    "var",
    "dynamic",
    "nameof",
    "async",
    "await",
    "yield",
    "value",
    "global",
    "partial",
    "Equals",
    "GetHashCode",
    "GetType",
    "ToString",
    "Finalize",
    "MemberwiseClone",
    "ReferenceEquals",
};

constexpr std::string_view kJavaMembers[] = {
    "start",     "isFinished", "setTrace",    "QUEUE_SIZE", "ctx",           "StateId",
    "EventId",   "None_",      "active_",     "started_",   "finished_",     "busy_",
    "queue_",    "queueHead_", "queueCount_", "raise_",     "enqueue_",      "drain_",
    "process_",  "exit_",      "exitTo_",     "enter_",     "enterDefault_", "parentOf_",
    "trace_",    "traceFn_",   "eventName_",  "State",      "Event",         "Result",
    "Observer",  "isIn",       "activeState", "dispatch",   "setObserver",   "NONE",
    "chartName", "STATES_",    "EVENTS_",     "observer_",  "before_",       "wasFinished_",
    "Trace_",
};

constexpr std::string_view kCSharpMembers[] = {
    "Start",    "IsFinished",  "SetTrace",    "QueueSize", "ctx",           "StateId",
    "EventId",  "None_",       "active_",     "started_",  "finished_",     "busy_",
    "queue_",   "queueHead_",  "queueCount_", "raise_",    "enqueue_",      "drain_",
    "process_", "exit_",       "exitTo_",     "enter_",    "enterDefault_", "parentOf_",
    "trace_",   "traceFn_",    "eventName_",  "State",     "Event",         "Result",
    "Observer", "IsIn",        "ActiveState", "Dispatch",  "SetObserver",   "NameOf",
    "None",     "stateNames_", "eventNames_", "observer_", "before_",       "wasFinished_",
    "Trace_",
};

// The code point of the UTF-8 sequence at text[i], advancing i; a byte that starts no valid
// sequence stands for itself.
unsigned decodeUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = byte(i);
    const int length = lead >= 0xf0 && lead < 0xf5 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 1;
    if (lead < 0x80 || length == 1 || i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return lead;
    }
    unsigned code = lead & (0x3fu >> (length - 1));
    for (int k = 1; k < length; ++k) {
        const unsigned next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xc0) != 0x80) {
            ++i;
            return lead;
        }
        code = (code << 6) | (next & 0x3f);
    }
    // Overlong forms and surrogates are no characters.
    const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xd800 && code < 0xe000) || code > 0x10ffff) {
        ++i;
        return lead;
    }
    i += static_cast<std::size_t>(length);
    return code;
}

std::string unicodeEscape(unsigned unit) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", unit);
    return buffer;
}

// A code point as \u escapes, outside the basic plane as a surrogate pair.
std::string codePointEscape(unsigned code) {
    if (code <= 0xffff)
        return unicodeEscape(code);
    const unsigned offset = code - 0x10000;
    return unicodeEscape(0xd800 + (offset >> 10)) + unicodeEscape(0xdc00 + (offset & 0x3ff));
}

} // namespace

std::span<const std::string_view> keywords(Language language) {
    if (language == Language::Java)
        return kJavaKeywords;
    return kCSharpKeywords;
}

std::span<const std::string_view> machineMembers(Language language) {
    if (language == Language::Java)
        return kJavaMembers;
    return kCSharpMembers;
}

std::string stringLiteral(std::string_view text, Language language) {
    std::string literal = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned code = decodeUtf8(text, i);
        if (code == '"' || code == '\\') {
            literal += '\\';
            literal += static_cast<char>(code);
        } else if (code >= 0x20 && code < 0x7f) {
            literal += static_cast<char>(code);
        } else if (code < 0x80 && language == Language::Java) {
            // Java turns \u escapes into characters before it reads literals, so a line feed
            // written that way would end the line; three octal digits always end the escape.
            literal += '\\';
            literal += static_cast<char>('0' + (code >> 6));
            literal += static_cast<char>('0' + ((code >> 3) & 7));
            literal += static_cast<char>('0' + (code & 7));
        } else {
            literal += codePointEscape(code);
        }
    }
    return literal + '"';
}

std::string commentText(std::string_view text, Language language) {
    const std::string safe = gennames::commentText(text);
    if (language != Language::Java)
        return safe;
    std::string ascii;
    for (std::size_t i = 0; i < safe.size();) {
        const unsigned code = decodeUtf8(safe, i);
        if (code < 0x80)
            ascii += static_cast<char>(code);
        else
            ascii += codePointEscape(code);
    }
    return ascii;
}

std::string methodCase(std::string_view identifier, Language language) {
    std::string name;
    bool wordStart = true;
    for (const char c : identifier) {
        if (c == '_') {
            wordStart = true;
            continue;
        }
        const bool lower = c >= 'a' && c <= 'z';
        const bool upper = c >= 'A' && c <= 'Z';
        if (name.empty() && language == Language::Java && upper)
            name += static_cast<char>(c - 'A' + 'a');
        else if (wordStart && lower && (!name.empty() || language == Language::CSharp))
            name += static_cast<char>(c - 'a' + 'A');
        else
            name += c;
        wordStart = false;
    }
    return name;
}

bool isJavaIdentifier(std::string_view name) {
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
    };
    if (name.empty() || !letter(name.front()) || name == "_")
        return false;
    if (!std::all_of(name.begin(), name.end(),
                     [&](char c) { return letter(c) || (c >= '0' && c <= '9'); }))
        return false;
    const auto words = keywords(Language::Java);
    return std::find(words.begin(), words.end(), name) == words.end();
}

} // namespace managednames
