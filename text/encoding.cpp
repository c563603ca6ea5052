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

std::u16string Utf8ToUtf16(const std::string& text) {
    return platform::MultiByteToWideChar(platform::kCodePageUtf8, 0, text);
}

std::u16string AnsiToUtf16(const std::string& text) {
    return platform::MultiByteToWideChar(platform::kCodePageAnsi, 0, text);
}

std::string Utf16ToUtf8(const std::u16string& text) {
    return platform::WideCharToMultiByte(platform::kCodePageUtf8, text);
}

std::string Utf16ToAnsi(const std::u16string& text) {
    return platform::WideCharToMultiByte(platform::kCodePageAnsi, text);
}

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const unsigned char first = bytes[2 * i], second = bytes[2 * i + 1];
        units[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

std::string Utf16LittleEndianBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(2 * text.size());
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

namespace {

// Windows-1252's 0x80..0x9F; the five bytes it leaves undefined stand for
// the C1 controls of the same number, as the system converts them.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char32_t ReadUtf8(std::string_view text, size_t at, size_t& length) {
    const unsigned char first = static_cast<unsigned char>(text[at]);
    length = 1;
    if (first < 0x80) return first;
    size_t count = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 0;
    if (count == 0 || first > 0xF4 || at + count > text.size()) return kNotUtf8;
    char32_t code = first & (0x7F >> count);
    for (size_t i = 1; i < count; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return kNotUtf8;
        code = code << 6 | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[count] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kNotUtf8;
    length = count;
    return code;
}

bool IsValidUtf8(std::string_view text) {
    for (size_t at = 0, length = 0; at < text.size(); at += length)
        if (ReadUtf8(text, at, length) == kNotUtf8) return false;
    return true;
}

std::string WithoutCutCharacter(std::string text) {
    if (IsValidUtf8(text)) return text;
    size_t lead = text.size();
    while (lead > 0 && text.size() - lead < 3 && (text[lead - 1] & 0xC0) == 0x80) --lead;
    if (lead > 0 && IsValidUtf8(std::string_view(text).substr(0, lead - 1))) text.resize(lead - 1);
    return text;
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
