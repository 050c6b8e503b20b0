#include "generators/tvc2xml/xml_printer.h"

#include "generators/tvc2xml/xml_text.h"

namespace {

// One element uses the notation for all its values or for none, so a reader decodes per
// element and never has to guess per value.
bool anyNeedsNotation(const XmlPrinter::Attributes& attributes, std::string_view content) {
    if (xmltext::needsNotation(content))
        return true;
    for (const auto& [name, value] : attributes)
        if (xmltext::needsNotation(value))
            return true;
    return false;
}

std::string encoded(std::string_view value, bool escaped) {
    return escaped ? xmltext::toNotation(value) : std::string(value);
}

} // namespace

void XmlPrinter::declaration() {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
}

XmlPrinter::Element XmlPrinter::open(std::string_view tag, const Attributes& attributes) {
    finishStartTag();
    startTag(tag, attributes, anyNeedsNotation(attributes, {}));
    openTags.emplace_back(tag);
    startTagPending = true;
    return Element(*this);
}

void XmlPrinter::empty(std::string_view tag, const Attributes& attributes) {
    finishStartTag();
    startTag(tag, attributes, anyNeedsNotation(attributes, {}));
    out << "/>\n";
}

void XmlPrinter::text(std::string_view tag, std::string_view content,
                      const Attributes& attributes) {
    finishStartTag();
    const bool escaped = anyNeedsNotation(attributes, content);
    startTag(tag, attributes, escaped);
    if (content.empty()) {
        out << "/>\n";
        return;
    }
    out << '>' << xmltext::escapeText(encoded(content, escaped)) << "</" << tag << ">\n";
}

void XmlPrinter::startTag(std::string_view tag, const Attributes& attributes, bool escaped) {
    indent();
    out << '<' << tag;
    for (const auto& [name, value] : attributes)
        out << ' ' << name << "=\"" << xmltext::escapeAttribute(encoded(value, escaped)) << '"';
    if (escaped)
        out << ' ' << cEncodingAttribute << "=\"" << cEscaped << '"';
}

void XmlPrinter::close() {
    const std::string tag = std::move(openTags.back());
    openTags.pop_back();
    if (startTagPending) {
        startTagPending = false;
        out << "/>\n";
        return;
    }
    indent();
    out << "</" << tag << ">\n";
}

void XmlPrinter::finishStartTag() {
    if (startTagPending) {
        startTagPending = false;
        out << ">\n";
    }
}

void XmlPrinter::indent() {
    for (std::size_t i = 0; i < openTags.size(); ++i)
        out << "  ";
}
