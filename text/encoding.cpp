#include "text/encoding.h"

#include "platform/codepage.h"

namespace {

template <typename Text>
Text BeforeFirstNul(const Text& text) {
    return text.substr(0, text.find(typename Text::value_type(0)));
}

// The platform converts every byte it is given, NULs included, so the cut at
// the first NUL that the conversions promise is made here, on both sides.
std::string Convert(const std::string& text, unsigned from, unsigned to) {
    std::string input = BeforeFirstNul(text);
    if (input.empty()) return {};
    std::u16string wide = BeforeFirstNul(platform::MultiByteToWideChar(from, 0, input));
    return BeforeFirstNul(platform::WideCharToMultiByte(to, wide));
}

}  // namespace

std::string Utf8ToAnsi(const std::string& text) {
    return Convert(text, platform::kCodePageUtf8, platform::kCodePageAnsi);
}

std::string AnsiToUtf8(const std::string& text) {
    return Convert(text, platform::kCodePageAnsi, platform::kCodePageUtf8);
}

namespace {

// Windows-1252's 0x80..0x9F; the five bytes it leaves undefined stand for
// the C1 controls of the same number, as the system converts them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Length of the well-formed sequence at `at`, 0 when there is none: no
// overlong forms, no surrogates, nothing above U+10FFFF.
size_t SequenceAt(const std::string& text, size_t at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return 1;
    const size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if (next < low || next > high) return 0;
        low = 0x80;
        high = 0xBF;
    }
    return length;
}

}  // namespace

bool IsValidUtf8(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = SequenceAt(text, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string FileTextToUtf8(const std::string& text) {
    if (IsValidUtf8(text)) return text;
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte));
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string_view TrimSpaces(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
