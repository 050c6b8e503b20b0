#include "generators/common/code_printer.h"

void CodePrinter::expand(std::string_view text, const Var* first, const Var* last) {
    std::string expanded;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t dollar = text.find('$', pos);
        if (dollar == std::string_view::npos) {
            expanded.append(text.substr(pos));
            break;
        }
        expanded.append(text.substr(pos, dollar - pos));
        const std::size_t close = text.find('$', dollar + 1);
        if (close == std::string_view::npos)
            throw std::string("Unterminated substitution in template: ") + std::string(text);
        const std::string_view name = text.substr(dollar + 1, close - dollar - 1);
        if (name.empty()) {
            expanded += '$';
        } else {
            bool found = false;
            for (const Var* var = first; var != last; ++var)
                if (var->first == name) {
                    expanded.append(var->second);
                    found = true;
                    break;
                }
            if (!found)
                throw "No value for $" + std::string(name) + "$ in template";
        }
        pos = close + 1;
    }
    // Lines are cut at line feeds only: values never hold the model's line breaks.
    std::string_view rest = expanded;
    for (;;) {
        const std::size_t brk = rest.find('\n');
        if (brk == std::string_view::npos) {
            if (!rest.empty()) {
                if (atLineStart)
                    for (int i = 0; i < depth; ++i)
                        out << unit;
                out << rest;
                atLineStart = false;
            }
            return;
        }
        writeLine(rest.substr(0, brk));
        rest = rest.substr(brk + 1);
    }
}

void CodePrinter::verbatim(std::string_view text) {
    if (text.empty())
        return;
    for (std::size_t pos = 0;;) {
        const std::size_t brk = text.find_first_of("\r\n", pos);
        if (brk == std::string_view::npos) {
            writeLine(text.substr(pos));
            return;
        }
        writeLine(text.substr(pos, brk - pos));
        pos = brk + 1;
        if (text[brk] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
        if (pos == text.size())
            return;
    }
}

void CodePrinter::writeLine(std::string_view line) {
    if (atLineStart && !line.empty())
        for (int i = 0; i < depth; ++i)
            out << unit;
    out << line << '\n';
    atLineStart = true;
}
