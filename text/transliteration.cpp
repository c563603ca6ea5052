#include "text/transliteration.h"

#include <cctype>

namespace {

using enum CyrillicAlphabet;

constexpr char32_t kFirstCyrillic = 0x430, kLastCyrillic = 0x45F;
constexpr char32_t kSmallGhe = 0x491;  // ґ, outside the block's first rows

// а to џ, sixteen to a row, as ICAO's table reads them for Russian, with the
// letters of the other alphabets; ь is not written.
constexpr const char* kCyrillic[kLastCyrillic - kFirstCyrillic + 1] = {
    "a", "b", "v", "g", "d",  "e",  "zh", "z",  "i",  "i",    "k",  "l", "m", "n", "o",  "p",   // 430
    "r", "s", "t", "u", "f",  "kh", "ts", "ch", "sh", "shch", "ie", "y", "",  "e", "iu", "ia",  // 440
    "e", "e", "d", "g", "ie", "dz", "i",  "i",  "j",  "lj",   "nj", "c", "k", "i", "u",  "dz",  // 450
};

// Where the table gives another reading for one alphabet.
struct Difference {
    CyrillicAlphabet alphabet;
    char32_t letter;
    const char* latin;
};
constexpr Difference kDifferences[] = {
    {Ukrainian, U'и', "y"},  {Belarusian, U'г', "h"},  {Belarusian, U'ё', "io"}, {Serbian, U'г', "h"},
    {Serbian, U'ж', "z"},    {Serbian, U'х', "h"},     {Serbian, U'ц', "c"},     {Serbian, U'ч', "c"},
    {Serbian, U'ш', "s"},    {Macedonian, U'ѓ', "gj"}, {Macedonian, U'ќ', "kj"}, {Macedonian, U'х', "h"},
    {Macedonian, U'ц', "c"}, {Macedonian, U'џ', "dj"},
};

// α to ω by ELOT 743; the neighbours change γ and υ (GreekLatin).
constexpr const char* kGreek[] = {"a", "v", "g", "d", "e", "z", "i", "th", "i", "k",  "l",  "m", "n",
                                  "x", "o", "p", "r", "s", "s", "t", "y",  "f", "ch", "ps", "o"};

char32_t CyrillicSmall(char32_t code) {
    if (code >= 0x400 && code <= 0x40F) return code + 0x50;
    if (code >= 0x410 && code <= 0x42F) return code + 0x20;
    return code == 0x490 ? kSmallGhe : code;
}

const char* CyrillicLatin(char32_t small, CyrillicAlphabet alphabet) {
    for (const Difference& difference : kDifferences)
        if (difference.alphabet == alphabet && difference.letter == small) return difference.latin;
    if (small == kSmallGhe) return "g";
    return small >= kFirstCyrillic && small <= kLastCyrillic ? kCyrillic[small - kFirstCyrillic] : nullptr;
}

// A Greek letter with its marks taken off; `small` is 0 for anything else.
struct GreekLetter {
    char32_t small;
    bool accent, diaeresis;
};

GreekLetter Greek(char32_t code) {
    switch (code) {
        case 0x386:
        case 0x3AC: return {U'α', true, false};
        case 0x388:
        case 0x3AD: return {U'ε', true, false};
        case 0x389:
        case 0x3AE: return {U'η', true, false};
        case 0x38A:
        case 0x3AF: return {U'ι', true, false};
        case 0x38C:
        case 0x3CC: return {U'ο', true, false};
        case 0x38E:
        case 0x3CD: return {U'υ', true, false};
        case 0x38F:
        case 0x3CE: return {U'ω', true, false};
        case 0x390: return {U'ι', true, true};
        case 0x3B0: return {U'υ', true, true};
        case 0x3AA:
        case 0x3CA: return {U'ι', false, true};
        case 0x3AB:
        case 0x3CB: return {U'υ', false, true};
        default: break;
    }
    if (code >= 0x391 && code <= 0x3A9 && code != 0x3A2) return {code + 0x20, false, false};
    if (code >= 0x3B1 && code <= 0x3C9) return {code, false, false};
    return {0, false, false};
}

bool IsVoiceless(char32_t small) { return std::u32string_view(U"θκξπσςτφχψ").find(small) != std::u32string_view::npos; }

// γ is n before γ, ξ and χ; υ after α, ε or η is v, or f before a voiceless
// consonant or at the end of a word, and after ο it is u. A diaeresis on
// the υ, or an accent on the letter before it, keeps the two letters apart.
const char* GreekLatin(std::u32string_view name, size_t at) {
    const GreekLetter letter = Greek(name[at]);
    const GreekLetter before = at > 0 ? Greek(name[at - 1]) : GreekLetter{};
    const GreekLetter after = at + 1 < name.size() ? Greek(name[at + 1]) : GreekLetter{};
    if (letter.small == U'γ' && (after.small == U'γ' || after.small == U'ξ' || after.small == U'χ')) return "n";
    if (letter.small == U'υ' && !letter.diaeresis && !before.accent) {
        if (before.small == U'ο') return "u";
        if (before.small == U'α' || before.small == U'ε' || before.small == U'η')
            return after.small == 0 || IsVoiceless(after.small) ? "f" : "v";
    }
    return kGreek[letter.small - U'α'];
}

bool IsCapital(char32_t code) {
    return (code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7) ||
           (code >= 0x386 && code <= 0x3AB && code != 0x390) || (code >= 0x400 && code <= 0x42F) || code == 0x490;
}

bool IsCasedLetter(char32_t code) {
    return IsCapital(code) || (code >= 'a' && code <= 'z') || (code >= 0xDF && code <= 0xFF && code != 0xF7) ||
           Greek(code).small != 0 || CyrillicSmall(code) != code || (code >= kFirstCyrillic && code <= kLastCyrillic) ||
           code == kSmallGhe;
}

// A capital written as two letters or more follows the name: all capitals
// beside another capital ("ЖУКОВ" "ZHUKOV"), else only the first ("Zhukov").
bool BesideCapital(std::u32string_view name, size_t at) {
    if (at + 1 < name.size() && IsCasedLetter(name[at + 1])) return IsCapital(name[at + 1]);
    return at > 0 && IsCapital(name[at - 1]);
}

}  // namespace

CyrillicAlphabet CyrillicAlphabetOf(std::u32string_view name) {
    bool seen[kLastCyrillic - kFirstCyrillic + 1] = {};
    bool ghe = false;
    for (char32_t code : name) {
        const char32_t small = CyrillicSmall(code);
        if (small >= kFirstCyrillic && small <= kLastCyrillic) seen[small - kFirstCyrillic] = true;
        ghe |= small == kSmallGhe;
    }
    auto any = [&](std::u32string_view letters) {
        for (char32_t letter : letters)
            if (seen[letter - kFirstCyrillic]) return true;
        return false;
    };
    if (any(U"ѓќѕ")) return Macedonian;
    if (any(U"ђћјљњџ")) return Serbian;
    if (any(U"ў") || (any(U"і") && any(U"ыэё"))) return Belarusian;
    if (ghe || any(U"єїі")) return Ukrainian;
    return Russian;
}

bool AppendPassportLatin(std::string& out, std::u32string_view name, size_t at, CyrillicAlphabet alphabet) {
    const char32_t code = name[at];
    const char* latin = Greek(code).small != 0 ? GreekLatin(name, at) : CyrillicLatin(CyrillicSmall(code), alphabet);
    if (latin == nullptr) return false;
    const bool capital = IsCapital(code), allCapitals = capital && BesideCapital(name, at);
    for (const char* c = latin; *c != '\0'; ++c)
        out += capital && (c == latin || allCapitals) ? static_cast<char>(std::toupper(*c)) : *c;
    return true;
}
