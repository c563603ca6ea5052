// Arbitrary bytes through both conversions, taken once as Windows-1252 text
// and once as UTF-8 text. The conversions are checked against the code page
// table itself: every byte is one character, and back again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/sim.h"
#include "text/encoding.h"

namespace {

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

// Windows-1252 at 0x80..0x9F; elsewhere a byte is its own code point. The
// five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// convert to the C1 controls of the same number, and back.
const char32_t kHighRow[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodeOfByte(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighRow[byte - 0x80] : char32_t(byte);
}

// The byte of a code point, or -1 when the code page has none.
int ByteOfCode(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code < 0x100)) return int(code);
    for (int i = 0; i < 32; ++i)
        if (kHighRow[i] == code) return 0x80 + i;
    return -1;
}

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
// False when the bytes are not UTF-8 at all.
bool DecodeUtf8(const std::string& bytes, std::vector<char32_t>& codes) {
    codes.clear();
    for (size_t i = 0; i < bytes.size();) {
        unsigned char lead = static_cast<unsigned char>(bytes[i]);
        size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                      : (lead & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k) {
            unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        static const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            return false;
        codes.push_back(code);
        i += length;
    }
    return true;
}

std::string BeforeNul(const std::string& text) { return text.substr(0, text.find('\0')); }

// As Windows-1252: one character a byte, each the table's, and back.
void CheckFromAnsi(const std::string& ansi) {
    const std::string kept = BeforeNul(ansi);
    const std::string utf8 = AnsiToUtf8(ansi);
    std::vector<char32_t> codes;
    Check(DecodeUtf8(utf8, codes));
    Check(codes.size() == kept.size());
    for (size_t i = 0; i < kept.size(); ++i) Check(codes[i] == CodeOfByte(kept[i]));
    Check(Utf8ToAnsi(utf8) == kept);
}

// As UTF-8: never longer, never a NUL; well-formed text gives one byte a
// character, the table's byte wherever the code page has the character.
void CheckFromUtf8(const std::string& utf8) {
    const std::string kept = BeforeNul(utf8);
    const std::string ansi = Utf8ToAnsi(utf8);
    Check(ansi.size() <= kept.size());
    Check(ansi.find('\0') == std::string::npos);
    std::vector<char32_t> codes;
    if (DecodeUtf8(kept, codes)) {
        Check(ansi.size() == codes.size());
        bool allInCodePage = true;
        for (size_t i = 0; i < codes.size(); ++i) {
            int byte = ByteOfCode(codes[i]);
            if (byte >= 0) Check(static_cast<unsigned char>(ansi[i]) == byte);
            allInCodePage = allInCodePage && byte >= 0;
        }
        if (allInCodePage) Check(AnsiToUtf8(ansi) == kept);
    }
    CheckFromAnsi(ansi);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The simulation logs every call; a long run must not keep them all.
    sim::ClearCalls();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckFromAnsi(bytes);
    CheckFromUtf8(bytes);
    return 0;
}
