#include "inject/html_clipboard.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "inject/clipboard_keeper.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "text/encoding.h"
#include "text/html_text.h"

platform::WindowHandle gClipboardOwner = nullptr;

namespace {

constexpr size_t kValueWidth = 10;
constexpr uint64_t kLargestValue = 9999999999ull;

unsigned gHtmlFormat = 0;
constexpr unsigned kClipboardPollMs = 10;

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
    size_t startMarker = document.find(kFragmentStartMarker);
    size_t endMarker = document.find(kFragmentEndMarker);
    if (endFragmentKey == std::string::npos || startMarker == std::string::npos || endMarker == std::string::npos)
        return false;
    size_t headerEnd = document.find("\r\n", endFragmentKey);
    if (headerEnd == std::string::npos) return false;

    fields[0] = {"StartHTML:", headerEnd + 2, {}};
    fields[1] = {"EndHTML:", document.size(), {}};
    fields[2] = {"StartFragment:", startMarker + kFragmentStartMarker.size(), {}};
    fields[3] = {"EndFragment:", endMarker, {}};
    std::vector<Span> untouchable = {
        {startMarker, kFragmentStartMarker.size()}, {endMarker, kFragmentEndMarker.size()}, {headerEnd, 2}};
    for (HeaderField& field : fields) {
        size_t key = document.find(field.key);
        if (key == std::string::npos || field.value > kLargestValue) return false;
        size_t keySize = std::strlen(field.key);
        field.digits = {key + keySize, kValueWidth};
        if (field.digits.at + kValueWidth > document.size()) return false;
        if (document.find_first_of("\r\n", field.digits.at) < field.digits.at + kValueWidth) return false;
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

// The plain-text companion: what a reader sees of the fragment, as UTF-16
// (the system makes CF_TEXT of it in the user's code page). Empty when the
// markers are missing.
std::string CompanionText(const std::string& document) {
    size_t start = 0, end = 0;
    if (!FindFragment(document, start, end)) return {};
    return Utf16LittleEndianBytes(Utf8ToUtf16(PlainTextOfHtml(document.substr(start, end - start)))) +
           std::string(2, '\0');
}

}  // namespace

// A wait of 10 ms lasts a whole timer tick on Windows: the bound is kept
// by the clock, and the last try comes at its end.
bool OpenClipboardPatiently(unsigned waitMs) {
    if (platform::OpenClipboard(gClipboardOwner)) return true;
    const unsigned start = platform::GetTickCount();
    for (unsigned waited = 0; waited < waitMs; waited = platform::GetTickCount() - start) {
        platform::Sleep(std::min(kClipboardPollMs, waitMs - waited));
        if (platform::OpenClipboard(gClipboardOwner)) return true;
    }
    return false;
}

// The owner and the number are taken while the clipboard is open, when no
// other program can change it: they belong to the document read.
HtmlClipboardReading ReadHtmlClipboardWithin(unsigned waitMs) {
    HtmlClipboardReading reading{false, nullptr, 0, {}};
    unsigned format = HtmlFormat();
    if (format == 0 || !OpenClipboardPatiently(waitMs)) return reading;
    reading.opened = true;
    reading.owner = platform::GetClipboardOwner();
    reading.sequence = platform::GetClipboardSequenceNumber();
    if (!platform::GetClipboardBytes(format, reading.document)) reading.document.clear();
    platform::CloseClipboard();
    return reading;
}

std::string ReadHtmlClipboard() { return ReadHtmlClipboardWithin(kClipboardBusyWaitMs).document; }

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
    std::vector<ClipboardBlock> result = {{format, document + '\0'}};
    std::string text = CompanionText(document);
    if (!text.empty()) result.push_back({platform::kClipboardUnicodeText, text});
    return PlaceResult(result);
}

void LetClipboardSettle() {
    platform::Sleep(kClipboardSettleMs);
    if (OpenClipboardPatiently()) platform::CloseClipboard();
}

bool PutHtmlFragment(const std::string& fragment) {
    if (fragment.empty()) return false;
    SaveUserClipboard();
    std::string document =
        "Version:1.0\r\n"
        "StartHTML:SH00000000\r\n"
        "EndHTML:EH00000000\r\n"
        "StartFragment:SF00000000\r\n"
        "EndFragment:EF00000000\r\n"
        "<html><body>\r\n" +
        std::string(kFragmentStartMarker) + "\r\n" + fragment + "\r\n" + std::string(kFragmentEndMarker) +
        "\r\n"
        "</body>\r\n"
        "</html>";
    FixHtmlOffsets(document);
    return WriteHtmlClipboard(document);
}
