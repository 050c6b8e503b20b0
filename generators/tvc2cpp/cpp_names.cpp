#include "generators/tvc2cpp/cpp_names.h"

#include "codegen/file_writer.h"

#include <algorithm>
#include <iterator>

namespace cppnames {

namespace {

// C++20 keywords and alternative tokens, and the standard macros a generated file or the
// headers it includes may define: none of them can name a member.
constexpr std::string_view kKeywords[] = {
    "alignas",       "alignof",     "and",
    "and_eq",        "asm",         "auto",
    "bitand",        "bitor",       "bool",
    "break",         "case",        "catch",
    "char",          "char8_t",     "char16_t",
    "char32_t",      "class",       "compl",
    "concept",       "const",       "consteval",
    "constexpr",     "constinit",   "const_cast",
    "continue",      "co_await",    "co_return",
    "co_yield",      "decltype",    "default",
    "delete",        "do",          "double",
    "dynamic_cast",  "else",        "enum",
    "explicit",      "export",      "extern",
    "false",         "float",       "for",
    "friend",        "goto",        "if",
    "inline",        "int",         "long",
    "mutable",       "namespace",   "new",
    "noexcept",      "not",         "not_eq",
    "nullptr",       "operator",    "or",
    "or_eq",         "private",     "protected",
    "public",        "register",    "reinterpret_cast",
    "requires",      "return",      "short",
    "signed",        "sizeof",      "static",
    "static_assert", "static_cast", "struct",
    "switch",        "template",    "this",
    "thread_local",  "throw",       "true",
    "try",           "typedef",     "typeid",
    "typename",      "union",       "unsigned",
    "using",         "virtual",     "void",
    "volatile",      "wchar_t",     "while",
    "xor",           "xor_eq",      "final",
    "override",      "import",      "module",
    "NULL",          "EOF",         "assert",
    "errno",         "stdin",       "stdout",
    "stderr",        "offsetof",    "main",
    "ctx",
};

} // namespace

bool isKeyword(std::string_view word) {
    return std::find(std::begin(kKeywords), std::end(kKeywords), word) != std::end(kKeywords);
}

std::string identifier(const std::string& name) {
    const std::string formatted = FileWriter::formatFuncName(name);
    std::string id;
    for (char c : formatted) {
        if (c == '-')
            c = '_';
        if (c == '_' && !id.empty() && id.back() == '_')
            continue;
        id += c;
    }
    if (id.empty())
        return "unnamed";
    if (id.front() == '_' || (id.front() >= '0' && id.front() <= '9'))
        id.insert(id.begin(), 'n');
    return id;
}

std::string stringLiteral(std::string_view text) {
    std::string literal = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            literal += '\\';
            literal += c;
        } else if (byte < 0x20 || byte >= 0x7f || c == '?') {
            // Three octal digits always end the escape, unlike \x; '?' too, so that no trigraph
            // warning can arise.
            literal += '\\';
            literal += static_cast<char>('0' + (byte >> 6));
            literal += static_cast<char>('0' + ((byte >> 3) & 7));
            literal += static_cast<char>('0' + (byte & 7));
        } else {
            literal += c;
        }
    }
    return literal + '"';
}

std::string commentText(std::string_view text) {
    std::string safe;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        safe += (byte < 0x20 || byte == 0x7f) ? '?' : c == '\\' ? '/' : c;
    }
    return safe;
}

std::string NameTable::claim(const std::string& name,
                             std::initializer_list<std::string_view> suffixes) {
    const std::string base = identifier(name);
    std::string chosen;
    if (!isKeyword(base) && !reservedWords.count(base) && isFree(base, suffixes)) {
        chosen = base;
    } else if (base.back() != '_' && isFree(base + "_", suffixes) &&
               (isKeyword(base) || reservedWords.count(base))) {
        chosen = base + "_";
    } else {
        const std::string separator = base.back() == '_' ? "" : "_";
        for (int n = 2;; ++n) {
            chosen = base + separator + std::to_string(n);
            if (isFree(chosen, suffixes))
                break;
        }
    }
    used.insert(chosen);
    for (std::string_view suffix : suffixes)
        used.insert(chosen + std::string(suffix));
    return chosen;
}

bool NameTable::isFree(const std::string& candidate,
                       std::initializer_list<std::string_view> suffixes) const {
    const auto taken = [&](const std::string& id) {
        return used.count(id) > 0 || reservedWords.count(id) > 0;
    };
    if (taken(candidate))
        return false;
    for (std::string_view suffix : suffixes)
        if (taken(candidate + std::string(suffix)))
            return false;
    return true;
}

} // namespace cppnames
