#pragma once
// Writes indented XML: each element on its own lines, two blanks deeper than its parent, and
// closed by the scope that opened it. Any string is accepted; the printer escapes it.

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class XmlPrinter {
public:
    using Attributes = std::vector<std::pair<std::string, std::string>>;

    // An open element; it writes its end tag when it goes out of scope.
    class Element {
    public:
        Element(const Element&) = delete;
        Element& operator=(const Element&) = delete;
        ~Element() { printer.close(); }

    private:
        friend class XmlPrinter;
        explicit Element(XmlPrinter& p) : printer(p) {}
        XmlPrinter& printer;
    };

    explicit XmlPrinter(std::ostream& stream) : out(stream) {}

    void declaration();
    [[nodiscard]] Element open(std::string_view tag, const Attributes& attributes = {});
    void empty(std::string_view tag, const Attributes& attributes = {});
    // <tag>content</tag> on one line, or <tag/> for empty content.
    void text(std::string_view tag, std::string_view content, const Attributes& attributes = {});

    // Marks an element whose values are written in the backslash notation.
    static constexpr std::string_view cEncodingAttribute = "encoding";
    static constexpr std::string_view cEscaped = "escaped";

private:
    // Writes "<tag attributes"; the caller finishes the tag.
    void startTag(std::string_view tag, const Attributes& attributes, bool escaped);
    void close();
    // An element opened without content yet is written as <tag/> if it stays empty.
    void finishStartTag();
    void indent();

    std::ostream& out;
    std::vector<std::string> openTags;
    bool startTagPending = false;
};
