#include "framework/XmlNesting.h"

namespace fw {

namespace {

// The position after `end` found from `from`, or the text's end.
size_t After(std::string_view xml, size_t from, std::string_view end) {
    const size_t at = xml.find(end, from);
    return at == std::string_view::npos ? xml.size() : at + end.size();
}

// The position after the '>' that ends the tag opened at `from`, skipping quoted values; sets
// `selfClosing` when the tag ends in "/>".
size_t AfterTag(std::string_view xml, size_t from, bool& selfClosing) {
    char quote = 0;
    for (size_t i = from; i < xml.size(); ++i) {
        const char c = xml[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            selfClosing = i > from && xml[i - 1] == '/';
            return i + 1;
        }
    }
    selfClosing = false;
    return xml.size();
}

} // namespace

bool XmlNestingWithin(std::string_view xml, int maxDepth) {
    int depth = 0;
    for (size_t i = xml.find('<'); i != std::string_view::npos && i < xml.size(); i = xml.find('<', i)) {
        const std::string_view rest = xml.substr(i);
        if (rest.starts_with("<!--")) {
            i = After(xml, i + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            i = After(xml, i + 9, "]]>");
        } else if (rest.starts_with("<?") || rest.starts_with("<!")) {
            // The first '>' ends these here even where the reader reads on to "?>": what
            // follows is then counted, never missed.
            i = After(xml, i + 2, ">");
        } else if (rest.starts_with("</")) {
            if (depth > 0) --depth;
            i = After(xml, i + 2, ">");
        } else {
            bool selfClosing = false;
            i = AfterTag(xml, i + 1, selfClosing);
            if (!selfClosing && ++depth > maxDepth) return false;
        }
    }
    return true;
}

} // namespace fw
