// Windows-1252, UTF-8 and UTF-16 as Windows converts them, and the case
// mapping of Windows-1252 text.
#include "platform/codepage.h"
#include "platform/sim/internal.h"

namespace sim {

namespace {

// 0x80..0x9F; the five bytes Windows leaves undefined map to the C1 controls.
constexpr char16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t AnsiUnit(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte);
}

char AnsiByte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code < 0x100)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}

void AppendCode(std::u16string& text, char32_t code) {
    if (code < 0x10000) {
        text += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (code >> 10));
        text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
}

// Decodes one well-formed sequence at `at`, or consumes the longest prefix
// of one (at least one byte) and gives U+FFFD, as Windows does.
char32_t NextCode(const std::string& bytes, size_t& at) {
    unsigned char lead = static_cast<unsigned char>(bytes[at++]);
    if (lead < 0x80) return lead;
    int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                 : lead >= 0xE0 && lead <= 0xEF ? 3
                 : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                : 0;
    if (length == 0) return 0xFFFD;
    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if (at >= bytes.size()) return 0xFFFD;
        unsigned char next = static_cast<unsigned char>(bytes[at]);
        // The second byte's range also rules out overlong forms, surrogates
        // and code points above U+10FFFF.
        unsigned char low = 0x80, high = 0xBF;
        if (i == 1 && lead == 0xE0) low = 0xA0;
        if (i == 1 && lead == 0xED) high = 0x9F;
        if (i == 1 && lead == 0xF0) low = 0x90;
        if (i == 1 && lead == 0xF4) high = 0x8F;
        if (next < low || next > high) return 0xFFFD;
        code = (code << 6) | (next & 0x3F);
        ++at;
    }
    return code;
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

// Walks UTF-16 as code points; a lone surrogate comes out as U+FFFD.
template <typename Each>
void ForEachCode(const std::u16string& text, Each each) {
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            each(0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else {
            each(unit >= 0xD800 && unit < 0xE000 ? char32_t(0xFFFD) : unit);
        }
    }
}

unsigned char UpperByte(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
    if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 0x10;
    if (c == 0xFF) return 0x9F;
    return c;
}

unsigned char LowerByte(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 0x10;
    if (c == 0x9F) return 0xFF;
    return c;
}

}  // namespace

std::u16string DecodeAnsi(const std::string& bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) text[i] = AnsiUnit(static_cast<unsigned char>(bytes[i]));
    return text;
}

std::string EncodeAnsi(const std::u16string& text) {
    std::string out;
    ForEachCode(text, [&](char32_t code) { out += AnsiByte(code); });
    return out;
}

std::u16string DecodeUtf8(const std::string& bytes) {
    std::u16string text;
    for (size_t at = 0; at < bytes.size();) AppendCode(text, NextCode(bytes, at));
    return text;
}

std::string EncodeUtf8(const std::u16string& text) {
    std::string out;
    ForEachCode(text, [&](char32_t code) { AppendUtf8(out, code); });
    return out;
}

static bool Even(char16_t unit) { return unit % 2 == 0; }

// The system's table maps every cased letter; these are the scripts a
// configuration file meets: Latin-1, Latin Extended-A, Greek and Cyrillic.
// Windows-1252 text holds only letters of the first two.
char16_t LowerUnit(char16_t unit) {
    if ((unit >= 'A' && unit <= 'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7)) return unit + 0x20;
    if (unit < 0x100) return unit;
    if ((unit >= 0x100 && unit <= 0x137 && unit != 0x130) || (unit >= 0x14A && unit <= 0x177))
        return Even(unit) ? unit + 1 : unit;
    if ((unit >= 0x139 && unit <= 0x148) || (unit >= 0x179 && unit <= 0x17E)) return Even(unit) ? unit : unit + 1;
    if (unit == 0x178) return 0xFF;
    if (unit == 0x386) return 0x3AC;
    if (unit >= 0x388 && unit <= 0x38A) return unit + 0x25;
    if (unit == 0x38C) return 0x3CC;
    if (unit == 0x38E || unit == 0x38F) return unit + 0x3F;
    if (unit >= 0x391 && unit <= 0x3AB && unit != 0x3A2) return unit + 0x20;
    if (unit == 0x3C2) return 0x3C3;  // final sigma has the capital of sigma
    if (unit >= 0x400 && unit <= 0x40F) return unit + 0x50;
    if (unit >= 0x410 && unit <= 0x42F) return unit + 0x20;
    if ((unit >= 0x460 && unit <= 0x481) || (unit >= 0x48A && unit <= 0x4BF) || (unit >= 0x4D0 && unit <= 0x52F))
        return Even(unit) ? unit + 1 : unit;
    return unit;
}

}  // namespace sim

namespace platform {

std::u16string MultiByteToWideChar(unsigned codePage, uint32_t flags, const std::string& bytes) {
    sim::Log("MultiByteToWideChar",
             std::to_string(codePage) + " " + sim::Hex(flags) + " " + std::to_string(bytes.size()) + " bytes");
    return codePage == kCodePageUtf8 ? sim::DecodeUtf8(bytes) : sim::DecodeAnsi(bytes);
}

std::string WideCharToMultiByte(unsigned codePage, const std::u16string& text) {
    sim::Log("WideCharToMultiByte", std::to_string(codePage) + " " + std::to_string(text.size()) + " units");
    return codePage == kCodePageUtf8 ? sim::EncodeUtf8(text) : sim::EncodeAnsi(text);
}

bool EqualIgnoringCase(const std::u16string& a, const std::u16string& b) {
    sim::Log("CompareStringOrdinal", std::to_string(a.size()) + " " + std::to_string(b.size()) + " units");
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (sim::LowerUnit(a[i]) != sim::LowerUnit(b[i])) return false;
    return true;
}

void CharUpperBuffA(std::string& text) {
    sim::Log("CharUpperBuffA", std::to_string(text.size()) + " bytes");
    for (char& c : text) c = static_cast<char>(sim::UpperByte(static_cast<unsigned char>(c)));
}

void CharLowerBuffA(std::string& text) {
    sim::Log("CharLowerBuffA", std::to_string(text.size()) + " bytes");
    for (char& c : text) c = static_cast<char>(sim::LowerByte(static_cast<unsigned char>(c)));
}

}  // namespace platform
