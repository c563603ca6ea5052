#include "inject/html_clipboard.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "inject/text_encoding.h"
#include "platform/clipboard.h"
#include "platform/clock.h"

platform::WindowHandle gClipboardOwner = nullptr;

namespace {

const char kStartMarker[] = "<!--StartFragment-->";
const char kEndMarker[] = "<!--EndFragment-->";
constexpr size_t kStartMarkerSize = sizeof kStartMarker - 1;
constexpr size_t kEndMarkerSize = sizeof kEndMarker - 1;
constexpr size_t kValueWidth = 10;
constexpr uint64_t kLargestValue = 9999999999ull;

unsigned gHtmlFormat = 0;
constexpr unsigned kClipboardPollMs = 10;

bool OpenClipboardPatiently() {
    for (unsigned waited = 0;; waited += kClipboardPollMs) {
        if (platform::OpenClipboard(gClipboardOwner)) return true;
        if (waited >= kClipboardBusyWaitMs) return false;
        platform::Sleep(kClipboardPollMs);
    }
}

// Registered at first use and kept; a registration that failed is tried
// again the next time.
unsigned HtmlFormat() {
    if (gHtmlFormat == 0) gHtmlFormat = platform::RegisterClipboardFormatA("HTML Format");
    return gHtmlFormat;
}

struct Span {
    size_t at;
    size_t size;
};

bool Overlap(Span a, Span b) { return a.at < b.at + b.size && b.at < a.at + a.size; }

struct HeaderField {
    const char* key;
    uint64_t value;
    Span digits;
};

// A value is ten bytes of its own line, clear of every key, marker and the
// header's end: overwriting it then moves nothing the offsets were taken
// from, so a second pass finds the same places and writes the same digits.
bool FindHeaderFields(const std::string& document, HeaderField (&fields)[4]) {
    size_t endFragmentKey = document.find("EndFragment:");
    size_t startMarker = document.find(kStartMarker);
    size_t endMarker = document.find(kEndMarker);
    if (endFragmentKey == std::string::npos || startMarker == std::string::npos ||
        endMarker == std::string::npos)
        return false;
    size_t headerEnd = document.find("\r\n", endFragmentKey);
    if (headerEnd == std::string::npos) return false;

    fields[0] = {"StartHTML:", headerEnd + 2, {}};
    fields[1] = {"EndHTML:", document.size(), {}};
    fields[2] = {"StartFragment:", startMarker + kStartMarkerSize, {}};
    fields[3] = {"EndFragment:", endMarker, {}};
    std::vector<Span> untouchable = {
        {startMarker, kStartMarkerSize}, {endMarker, kEndMarkerSize}, {headerEnd, 2}};
    for (HeaderField& field : fields) {
        size_t key = document.find(field.key);
        if (key == std::string::npos || field.value > kLargestValue) return false;
        size_t keySize = std::strlen(field.key);
        field.digits = {key + keySize, kValueWidth};
        if (field.digits.at + kValueWidth > document.size()) return false;
        if (document.find_first_of("\r\n", field.digits.at) < field.digits.at + kValueWidth)
            return false;
        untouchable.push_back({key, keySize});
    }
    for (const HeaderField& field : fields) {
        for (Span other : untouchable)
            if (Overlap(field.digits, other)) return false;
        for (const HeaderField& otherField : fields)
            if (&otherField != &field && Overlap(field.digits, otherField.digits)) return false;
    }
    return true;
}

// Tags are removed only when they close: a lone "<" is text.
std::string TextWithoutTags(const std::string& html) {
    static const struct {
        const char* entity;
        char character;
    } kEntities[] = {{"&amp;", '&'},  {"&lt;", '<'},   {"&gt;", '>'},
                     {"&quot;", '"'}, {"&#39;", '\''}, {"&apos;", '\''}};
    std::string text;
    bool closingBracketAhead = true;
    size_t i = 0;
    while (i < html.size()) {
        if (html[i] == '<' && closingBracketAhead) {
            size_t close = html.find('>', i);
            if (close != std::string::npos) {
                i = close + 1;
                continue;
            }
            closingBracketAhead = false;
        }
        bool decoded = false;
        if (html[i] == '&') {
            for (const auto& entry : kEntities) {
                size_t size = std::strlen(entry.entity);
                if (html.compare(i, size, entry.entity) == 0) {
                    text += entry.character;
                    i += size;
                    decoded = true;
                    break;
                }
            }
        }
        if (!decoded) text += html[i++];
    }
    return text;
}

// The plain-text companion: what lies between the fragment markers, as the
// text a plain editor should receive. False when the markers are missing.
bool CompanionText(const std::string& document, std::string& text) {
    size_t start = document.find(kStartMarker);
    if (start == std::string::npos) return false;
    start += kStartMarkerSize;
    size_t end = document.find(kEndMarker, start);
    if (end == std::string::npos) return false;
    text = Utf8ToAnsi(TextWithoutTags(document.substr(start, end - start)));
    return true;
}

}  // namespace

std::string ReadHtmlClipboard() {
    unsigned format = HtmlFormat();
    if (format == 0 || !OpenClipboardPatiently()) return {};
    std::string bytes;
    if (!platform::GetClipboardBytes(format, bytes)) bytes.clear();
    platform::CloseClipboard();
    return bytes.substr(0, bytes.find('\0'));
}

// A document that lacks a key, a ten-byte value or a marker is left exactly
// as it is: it comes from another program, and guessing would corrupt it.
void FixHtmlOffsets(std::string& document) {
    HeaderField fields[4];
    if (!FindHeaderFields(document, fields)) return;
    for (const HeaderField& field : fields) {
        char digits[kValueWidth + 1];
        std::snprintf(digits, sizeof digits, "%010llu", static_cast<unsigned long long>(field.value));
        document.replace(field.digits.at, kValueWidth, digits, kValueWidth);
    }
}

// The plain text goes with the HTML so that an application without HTML
// support still pastes something sensible.
bool WriteHtmlClipboard(const std::string& document) {
    unsigned format = HtmlFormat();
    if (format == 0) return false;
    std::string text;
    bool withText = CompanionText(document, text);
    if (!OpenClipboardPatiently()) return false;
    bool placed = platform::EmptyClipboard() &&
                  platform::PutClipboardBytes(format, document, platform::kGmemMoveable);
    if (placed && withText)
        platform::PutClipboardBytes(platform::kClipboardText, text,
                                    platform::kGmemMoveable | platform::kGmemZeroInit);
    platform::CloseClipboard();
    return placed;
}

void LetClipboardSettle() {
    platform::Sleep(kClipboardSettleMs);
    if (OpenClipboardPatiently()) platform::CloseClipboard();
}

bool PutHtmlFragment(const std::string& fragment) {
    if (fragment.empty()) return false;
    std::string document =
        "Version:1.0\r\n"
        "StartHTML:SH00000000\r\n"
        "EndHTML:EH00000000\r\n"
        "StartFragment:SF00000000\r\n"
        "EndFragment:EF00000000\r\n"
        "<html><body>\r\n"
        "<!--StartFragment-->\r\n" +
        fragment +
        "\r\n"
        "<!--EndFragment-->\r\n"
        "</body>\r\n"
        "</html>";
    FixHtmlOffsets(document);
    return WriteHtmlClipboard(document);
}
