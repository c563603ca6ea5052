#include "features/highlight/recolour_html.h"

#include <string_view>
#include <vector>

#include "text/html_text.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n\f";
constexpr size_t kNone = std::string::npos;

// Where a value to be replaced lies in the text: [from, to).
struct Stretch {
    size_t from, to;
};

bool IsBlank(char c) { return kBlanks.find(c) != kNone; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// HTML takes attribute names in any case; declarations are matched as
// OneNote writes them.
bool IsStyleAttribute(std::string_view name) {
    if (name.size() != 5) return false;
    for (size_t i = 0; i < 5; ++i)
        if ((name[i] | 0x20) != "style"[i]) return false;
    return true;
}

Stretch Trimmed(std::string_view text, size_t from, size_t to) {
    while (from < to && IsBlank(text[from])) ++from;
    while (to > from && IsBlank(text[to - 1])) --to;
    return {from, to};
}

// One style attribute's value, text[from, to). A style with an
// mso-highlight declaration is a highlight: the values of its mso-highlight
// and background declarations go into `values`. Any other style, whatever
// backgrounds it holds, is the page's own and stays. Each value ends with
// its declaration or with the style, never beyond. Answers whether this
// style is a highlight with a background too.
bool ReadStyle(std::string_view text, size_t from, size_t to, std::vector<Stretch>& values) {
    std::vector<Stretch> found;
    bool background = false, highlight = false;
    for (size_t at = from; at <= to;) {
        size_t end = text.substr(0, to).find(';', at);
        if (end == kNone) end = to;
        size_t colon = text.substr(0, end).find(':', at);
        if (colon != kNone) {
            Stretch name = Trimmed(text, at, colon);
            std::string_view property = text.substr(name.from, name.to - name.from);
            if (property == "background" || property == "mso-highlight") {
                (property == "background" ? background : highlight) = true;
                found.push_back(Trimmed(text, colon + 1, end));
            }
        }
        at = end + 1;
    }
    if (highlight) values.insert(values.end(), found.begin(), found.end());
    return highlight && background;
}

// The attributes of one tag, text[from, end) with `end` at its first ">".
// A quoted value that would run past that ">" leaves the rest of the tag
// alone: the tag is not what it seems, and guessing would break it.
bool ReadTag(std::string_view text, size_t from, size_t end, std::vector<Stretch>& values) {
    bool recolour = false;
    size_t at = from;
    while (at < end && !IsBlank(text[at]) && text[at] != '/') ++at;  // the tag's name
    while (at < end) {
        while (at < end && (IsBlank(text[at]) || text[at] == '/')) ++at;
        size_t name = at;
        while (at < end && !IsBlank(text[at]) && text[at] != '=' && text[at] != '/') ++at;
        std::string_view attribute = text.substr(name, at - name);
        while (at < end && IsBlank(text[at])) ++at;
        if (at >= end || text[at] != '=') continue;
        ++at;
        while (at < end && IsBlank(text[at])) ++at;
        if (at < end && (text[at] == '\'' || text[at] == '"')) {
            size_t close = text.find(text[at], at + 1);
            if (close == kNone || close > end) return recolour;
            if (IsStyleAttribute(attribute) && ReadStyle(text, at + 1, close, values)) recolour = true;
            at = close + 1;
        } else {
            while (at < end && !IsBlank(text[at])) ++at;  // unquoted: never a highlight of ours
        }
    }
    return recolour;
}

// The values of every highlight in the text's tags, outside the fragment
// too; answers whether one of them holds a background, the mark of a line
// that is already highlighted. A "<" with no ">" behind it starts no tag.
bool FindHighlights(std::string_view text, std::vector<Stretch>& values) {
    bool highlighted = false;
    for (size_t at = text.find('<'); at != kNone; at = text.find('<', at + 1)) {
        if (at + 1 >= text.size() || !IsAsciiLetter(text[at + 1])) continue;
        size_t end = text.find('>', at);
        if (end == kNone) break;
        if (ReadTag(text, at + 1, end, values)) highlighted = true;
        at = end;
    }
    return highlighted;
}

std::string Recoloured(const std::string& text, const std::vector<Stretch>& values, const std::string& colour) {
    std::string out;
    out.reserve(text.size() + values.size() * colour.size());
    size_t copied = 0;
    for (const Stretch& value : values) {
        out.append(text, copied, value.from - copied).append(colour);
        copied = value.to;
    }
    return out.append(text, copied, kNone);
}

std::string WrapFragment(const std::string& text, const std::string& colour) {
    size_t start = 0, end = 0;
    if (!FindFragment(text, start, end)) return text;
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

// Only highlight declarations change, each inside its own style: the page's
// markup, its other colours and its words reach the note as they were. A
// text without fragment markers and without a highlight comes back as it was.
std::string RecolourHtml(const std::string& text, const std::string& colourName) {
    std::vector<Stretch> values;
    if (!FindHighlights(text, values)) return WrapFragment(text, colourName);
    return Recoloured(text, values, colourName);
}
