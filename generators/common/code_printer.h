#pragma once
// Writes indented source text for the language generators: templates with named $name$
// substitutions, indentation that a scope object opens and closes, and user code pasted
// verbatim line by line at the current depth.

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CodePrinter {
public:
    using Vars = std::initializer_list<std::pair<std::string_view, std::string_view>>;
    // The same, built at run time.
    using VarList = std::vector<std::pair<std::string_view, std::string_view>>;

    // One level deeper while it lives.
    class Indent {
    public:
        Indent(const Indent&) = delete;
        Indent& operator=(const Indent&) = delete;
        ~Indent() { --printer.depth; }

    private:
        friend class CodePrinter;
        explicit Indent(CodePrinter& p) : printer(p) { ++printer.depth; }
        CodePrinter& printer;
    };

    explicit CodePrinter(std::ostream& stream, std::string indentUnit = "    ")
        : out(stream), unit(std::move(indentUnit)) {}

    // Writes the template with every $name$ replaced by its value and "$$" by one dollar
    // sign. Each line starts at the current depth; empty lines get no indentation. Throws a
    // std::string for a name that vars lacks, so a template mistake cannot pass unnoticed.
    void print(std::string_view text, Vars vars = {}) { expand(text, vars.begin(), vars.end()); }
    void print(std::string_view text, const VarList& vars) {
        expand(text, vars.data(), vars.data() + vars.size());
    }
    // Writes the text unchanged apart from indentation, one output line per line of the
    // text; carriage return plus line feed, a lone line feed and a lone carriage return all
    // end a line. An empty text writes nothing.
    void verbatim(std::string_view text);
    [[nodiscard]] Indent indent() { return Indent(*this); }

private:
    using Var = std::pair<std::string_view, std::string_view>;
    void expand(std::string_view text, const Var* first, const Var* last);
    void writeLine(std::string_view line);

    std::ostream& out;
    std::string unit;
    int depth = 0;
    bool atLineStart = true;
};
