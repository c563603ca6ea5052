// Arbitrary clipboard text, re-coloured with one of the line highlighter's
// colours (chosen by the first byte).
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "features/highlight/highlight_line.h"
#include "features/highlight/recolour_html.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n\f", kEnds = ";'\"";
constexpr size_t kNone = std::string::npos;

std::string Span(const std::string& colour) {
    return "<span style='background:" + colour + ";mso-highlight:" + colour + "'>";
}

// The fragment in one span of the colour; the text itself without a fragment.
std::string Wrapped(const std::string& text, const std::string& colour) {
    const size_t start = text.find("<!--StartFragment-->"), end = text.find("<!--EndFragment-->", start + 20);
    if (start == kNone || end == kNone) return text;
    return text.substr(0, start + 20) + Span(colour) + text.substr(start + 20, end - start - 20) + "</span>" +
           text.substr(end);
}

// Within a tag: behind a "<" and a letter whose first ">" is not before `at`.
bool InsideTag(std::string_view text, size_t at) {
    for (size_t open = at; open-- > 0;)
        if (text[open] == '<' && open + 1 < text.size() && std::isalpha(static_cast<unsigned char>(text[open + 1])))
            return text.find('>', open) != kNone && text.find('>', open) >= at;
    return false;
}

std::string_view TrimEnd(std::string_view text) { return text.substr(0, text.find_last_not_of(kBlanks) + 1); }

// `marked` is `text` with a marker for each value replaced: each follows a
// background or mso-highlight declaration's name inside a tag and ends, its
// blanks aside, where its declaration or style does; both names are seen.
void ExpectOnlyValuesChanged(std::string_view text, std::string_view marked, char marker) {
    bool seen[2] = {false, false};
    size_t at = 0, piece = 0;
    for (size_t found = marked.find(marker);; found = marked.find(marker, piece)) {
        const size_t length = (found == kNone ? marked.size() : found) - piece;
        if (text.substr(at, length) != marked.substr(piece, length)) std::abort();
        if ((at += length) == text.size() && found == kNone && seen[0] && seen[1]) return;
        std::string_view name = TrimEnd(text.substr(0, at));
        if (found == kNone || !name.ends_with(':') || !InsideTag(text, at)) std::abort();
        name = TrimEnd(name.substr(0, name.size() - 1));
        const bool background = name.ends_with("background");
        if (!background && !name.ends_with("mso-highlight")) std::abort();
        seen[background] = true;
        name = TrimEnd(name.substr(0, name.size() - (background ? 10 : 13)));
        const size_t end = marked.find_first_not_of(kBlanks, piece = found + 1);
        if (name.empty() || kEnds.find(name.back()) == kNone || end == kNone || kEnds.find(marked[end]) == kNone)
            std::abort();
        const size_t stop = text.find_first_of(std::string(";>") + marked[end], at);
        if (stop == kNone || text[stop] != marked[end] || kBlanks.find(text[at]) != kNone) std::abort();
        at = std::max(TrimEnd(text.substr(0, stop)).size(), at);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string colour = kHighlightColours[data[0] % std::size(kHighlightColours)].name;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string result = RecolourHtml(text, colour);

    // A control character the text lacks, as the colour, shows where colours go.
    char marker = 1;
    while (marker < 32 && text.find(marker) != kNone) ++marker;
    if (marker == 32) return 0;
    const std::string marked = RecolourHtml(text, std::string(1, marker));
    std::string coloured;
    for (char c : marked) c == marker ? coloured += colour : coloured += c;
    if (coloured != result) std::abort();
    if (marked == Wrapped(text, std::string(1, marker))) return 0;
    // Else re-coloured in place: only highlight values changed, and again changes nothing.
    ExpectOnlyValuesChanged(text, marked, marker);
    if (RecolourHtml(result, colour) != result) std::abort();
    return 0;
}
