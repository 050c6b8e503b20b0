#include "codegen/event_text.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isIdentChar(char c) {
    return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// Runs of blanks become one space, so "unsigned  int" and "unsigned int" compare equal.
std::string foldBlanks(const std::string& text) {
    std::string out;
    for (const char c : trim(text)) {
        if (isBlank(c)) {
            if (out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string fault(const std::string& event, const std::string& what) {
    return "The parameter list of the event \"" + event + "\" " + what + ".";
}

// Splits at the commas outside any bracket: a template argument list keeps its commas.
std::vector<std::string> splitTopLevel(const std::string& event, const std::string& list) {
    std::vector<std::string> parts(1);
    std::string open;
    for (const char c : list) {
        if (c == '(' || c == '[' || c == '<' || c == '{') {
            open += c;
        } else if (c == ')' || c == ']' || c == '>' || c == '}') {
            const char expected = c == ')' ? '(' : c == ']' ? '[' : c == '>' ? '<' : '{';
            if (open.empty() || open.back() != expected)
                throw fault(event, std::string("has an unbalanced '") + c + "'");
            open.pop_back();
        } else if (c == ',' && open.empty()) {
            parts.emplace_back();
            continue;
        }
        parts.back() += c;
    }
    if (!open.empty())
        throw fault(event, std::string("has an unclosed '") + open.back() + "'");
    return parts;
}

} // namespace

std::vector<EventParameter> parseParameters(const std::string& event,
                                            const std::string& signature) {
    std::vector<EventParameter> parameters;
    if (trim(signature).empty())
        return parameters;
    for (const std::string& part : splitTopLevel(event, signature)) {
        const std::string text = trim(part);
        std::size_t start = text.size();
        while (start > 0 && isIdentChar(text[start - 1]))
            --start;
        const std::string name = text.substr(start);
        const std::string type = foldBlanks(text.substr(0, start));
        if (text.empty())
            throw fault(event, "has an empty parameter");
        if (text.find('=') != std::string::npos)
            throw fault(event, "gives \"" + text + "\" a default value, which events cannot have");
        if (name.empty() || (name.front() >= '0' && name.front() <= '9'))
            throw fault(event, "has a parameter \"" + text + "\" that does not end in a name");
        if (type.empty())
            throw fault(event, "has a parameter \"" + text + "\" without a type");
        for (const EventParameter& earlier : parameters)
            if (earlier.name == name)
                throw fault(event, "names \"" + name + "\" twice");
        parameters.push_back({type, name});
    }
    return parameters;
}

EventText splitEventText(const std::string& text) {
    EventText result;
    const std::size_t open = text.find('(');
    if (open == std::string::npos) {
        if (text.find(')') != std::string::npos)
            throw "The event \"" + trim(text) + "\" has a ')' without a '('.";
        result.name = trim(text);
        return result;
    }
    result.name = trim(text.substr(0, open));
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos || close < open)
        throw fault(result.name, "is not closed by ')'");
    if (!trim(text.substr(close + 1)).empty())
        throw fault(result.name, "is followed by \"" + trim(text.substr(close + 1)) + "\"");
    if (result.name.empty())
        throw "The parameter list \"" + trim(text) + "\" has no event name before it.";
    result.signature = trim(text.substr(open + 1, close - open - 1));
    result.parameters = parseParameters(result.name, result.signature);
    return result;
}

bool sameSignature(const std::vector<EventParameter>& a, const std::vector<EventParameter>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].type != b[i].type || a[i].name != b[i].name)
            return false;
    return true;
}
