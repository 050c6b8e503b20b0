#include "generators/tvc2cpp/cpp_names.h"

namespace cppnames {

namespace {

constexpr std::string_view kKeywords[] = {
    "alignas",
    "alignof",
    "and",
    "and_eq",
    "asm",
    "auto",
    "bitand",
    "bitor",
    "bool",
    "break",
    "case",
    "catch",
    "char",
    "char8_t",
    "char16_t",
    "char32_t",
    "class",
    "compl",
    "concept",
    "const",
    "consteval",
    "constexpr",
    "constinit",
    "const_cast",
    "continue",
    "co_await",
    "co_return",
    "co_yield",
    "decltype",
    "default",
    "delete",
    "do",
    "double",
    "dynamic_cast",
    "else",
    "enum",
    "explicit",
    "export",
    "extern",
    "false",
    "float",
    "for",
    "friend",
    "goto",
    "if",
    "inline",
    "int",
    "long",
    "mutable",
    "namespace",
    "new",
    "noexcept",
    "not",
    "not_eq",
    "nullptr",
    "operator",
    "or",
    "or_eq",
    "private",
    "protected",
    "public",
    "register",
    "reinterpret_cast",
    "requires",
    "return",
    "short",
    "signed",
    "sizeof",
    "static",
    "static_assert",
    "static_cast",
    "struct",
    "switch",
    "template",
    "this",
    "thread_local",
    "throw",
    "true",
    "try",
    "typedef",
    "typeid",
    "typename",
    "union",
    "unsigned",
    "using",
    "virtual",
    "void",
    "volatile",
    "wchar_t",
    "while",
    "xor",
    "xor_eq",
    "final",
    "override",
    "import",
    "module",
    "NULL",
    "EOF",
    "assert",
    "errno",
    "stdin",
    "stdout",
    "stderr",
    "offsetof",
    "main",
    "ctx",
    // Predefined by g++ and clang++ under -std=gnu++17 on one target or another.
    "unix",
    "linux",
    "i386",
    "sun",
    "sparc",
    "mips",
    "vax",
};

} // namespace

std::span<const std::string_view> keywords() {
    return kKeywords;
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

} // namespace cppnames
