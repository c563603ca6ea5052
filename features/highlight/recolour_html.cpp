#include "features/highlight/recolour_html.h"

#include <string_view>

namespace {

constexpr std::string_view kBackground = "background:";
constexpr std::string_view kHighlight = "mso-highlight:";
constexpr std::string_view kStartMarker = "<!--StartFragment-->";
constexpr std::string_view kEndMarker = "<!--EndFragment-->";
constexpr size_t kNone = std::string::npos;

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != kNone; }

// Gives each "background:" value, and the "mso-highlight:" value paired with
// it, the colour name. The text is copied piece by piece into `out` so that
// a large clipboard text costs one pass, not one reallocation per value.
// Searches run over the original text: a value being replaced can neither
// hide nor provide the next declaration. False when a declaration lacks
// what ends it; `out` is then meaningless.
bool RecolourDeclarations(const std::string& text, const std::string& colour, std::string& out) {
    out.clear();
    out.reserve(text.size() + 64);
    size_t copied = 0;
    for (size_t found = text.find(kBackground); found != kNone; found = text.find(kBackground, copied)) {
        size_t value = found + kBackground.size();
        size_t valueEnd = text.find(';', value);
        if (valueEnd == kNone) return false;
        size_t highlight = text.find(kHighlight, valueEnd);
        if (highlight == kNone) return false;
        size_t highlightValue = highlight + kHighlight.size();
        size_t highlightEnd = text.find('\'', highlightValue);
        if (highlightEnd == kNone) return false;
        out.append(text, copied, value - copied).append(colour);
        out.append(text, valueEnd, highlightValue - valueEnd).append(colour);
        copied = highlightEnd;
    }
    out.append(text, copied, kNone);
    return true;
}

std::string WrapFragment(const std::string& text, const std::string& colour) {
    size_t start = text.find(kStartMarker);
    if (start == kNone) return text;
    start += kStartMarker.size();
    size_t end = text.find(kEndMarker, start);
    if (end == kNone) return text;
    std::string out;
    out.reserve(text.size() + 64 + 2 * colour.size());
    out.append(text, 0, start);
    out.append("<span style='background:").append(colour);
    out.append(";mso-highlight:").append(colour).append("'>");
    out.append(text, start, end - start).append("</span>");
    out.append(text, end, kNone);
    return out;
}

}  // namespace

// A text that breaks the expected shape comes back exactly as it was:
// pasting a half-rewritten line would damage the user's page.
std::string RecolourHtml(const std::string& text, const std::string& colourName) {
    if (!Contains(text, kBackground) || !Contains(text, kHighlight)) return WrapFragment(text, colourName);
    std::string out;
    return RecolourDeclarations(text, colourName, out) ? out : text;
}
