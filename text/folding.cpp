#include "text/folding.h"

#include "text/encoding.h"
#include "text/transliteration.h"

namespace {

constexpr char32_t kFirstLatin = 0xC0, kLastLatin = 0x17F;

// U+00C0 to U+017F, sixteen to a row. "" marks the two signs of the block
// (× and ÷), which are not letters and have no Latin form. The capitals
// written as two letters take the case a name gives them: "Æsa" "Aesa".
constexpr const char* kLatinBase[kLastLatin - kFirstLatin + 1] = {
    "A", "A", "A",  "A",  "A", "A", "Ae", "C", "E", "E", "E", "E", "I", "I", "I",  "I",   // C0
    "D", "N", "O",  "O",  "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "Th", "ss",  // D0
    "a", "a", "a",  "a",  "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   // E0
    "d", "n", "o",  "o",  "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",   // F0
    "A", "a", "A",  "a",  "A", "a", "C",  "c", "C", "c", "C", "c", "C", "c", "D",  "d",   // 100
    "D", "d", "E",  "e",  "E", "e", "E",  "e", "E", "e", "E", "e", "G", "g", "G",  "g",   // 110
    "G", "g", "G",  "g",  "H", "h", "H",  "h", "I", "i", "I", "i", "I", "i", "I",  "i",   // 120
    "I", "i", "IJ", "ij", "J", "j", "K",  "k", "k", "L", "l", "L", "l", "L", "l",  "L",   // 130
    "l", "L", "l",  "N",  "n", "N", "n",  "N", "n", "n", "N", "n", "O", "o", "O",  "o",   // 140
    "O", "o", "Oe", "oe", "R", "r", "R",  "r", "R", "r", "S", "s", "S", "s", "S",  "s",   // 150
    "S", "s", "T",  "t",  "T", "t", "T",  "t", "U", "u", "U", "u", "U", "u", "U",  "u",   // 160
    "U", "u", "U",  "u",  "W", "w", "Y",  "y", "Y", "Z", "z", "Z", "z", "Z", "z",  "s",   // 170
};

const char* LatinBase(char32_t code) {
    return code >= kFirstLatin && code <= kLastLatin ? kLatinBase[code - kFirstLatin] : nullptr;
}

bool Even(char32_t code) { return code % 2 == 0; }

// Simple case mapping of the scripts a contact book meets: Latin (with
// the Latin-1 and Extended-A capitals), Greek and Cyrillic. In Extended-A
// the pairs sit capital first, but for the runs that start one place later.
char32_t LowerCase(char32_t code) {
    if (code >= 'A' && code <= 'Z') return code + 0x20;
    if (code < 0xC0) return code;
    if (code <= 0xDE) return code == 0xD7 ? code : code + 0x20;
    if (code == 0x130) return 'i';
    if ((code >= 0x100 && code <= 0x137) || (code >= 0x14A && code <= 0x177)) return Even(code) ? code + 1 : code;
    if ((code >= 0x139 && code <= 0x148) || (code >= 0x179 && code <= 0x17E)) return Even(code) ? code : code + 1;
    if (code == 0x178) return 0xFF;
    if (code == 0x386) return 0x3AC;
    if (code >= 0x388 && code <= 0x38A) return code + 0x25;
    if (code == 0x38C) return 0x3CC;
    if (code == 0x38E || code == 0x38F) return code + 0x3F;
    if (code >= 0x391 && code <= 0x3AB && code != 0x3A2) return code + 0x20;
    if (code == 0x3C2) return 0x3C3;  // final sigma: a name typed mid-word still matches
    if (code >= 0x400 && code <= 0x40F) return code + 0x50;
    if (code >= 0x410 && code <= 0x42F) return code + 0x20;
    if ((code >= 0x460 && code <= 0x481) || (code >= 0x48A && code <= 0x4BF) || (code >= 0x4D0 && code <= 0x52F))
        return Even(code) ? code + 1 : code;
    if (code == 0x4C0) return 0x4CF;
    if (code >= 0x4C1 && code <= 0x4CE) return Even(code) ? code : code + 1;
    return code;
}

enum class Fold { KeepCase, Match, LowerOnly };

void AppendFolded(std::string& out, std::string_view text, Fold fold) {
    for (size_t at = 0, length = 0; at < text.size(); at += length) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {  // most names are mostly ASCII
            length = 1;
            out += static_cast<char>(fold == Fold::Match || fold == Fold::LowerOnly ? LowerCase(byte) : byte);
            continue;
        }
        const char32_t code = ReadUtf8(text, at, length);
        const char* base = fold == Fold::LowerOnly ? nullptr : LatinBase(code);
        if (base != nullptr && *base != '\0') {
            for (const char* c = base; *c != '\0'; ++c)
                out += fold == Fold::Match ? static_cast<char>(LowerCase(*c)) : *c;
        } else if (code != kNotUtf8 && (fold == Fold::Match || fold == Fold::LowerOnly)) {
            AppendUtf8(out, LowerCase(code));
        } else {
            out.append(text.substr(at, length));
        }
    }
}

std::string Folded(std::string_view text, Fold fold) {
    std::string out;
    out.reserve(text.size());
    AppendFolded(out, text, fold);
    return out;
}

}  // namespace

std::string FoldAccents(std::string_view utf8) { return Folded(utf8, Fold::KeepCase); }

void AppendMatchForm(std::string& out, std::string_view utf8) { AppendFolded(out, utf8, Fold::Match); }

std::string MatchForm(std::string_view utf8) { return Folded(utf8, Fold::Match); }

void AppendLowerCaseForm(std::string& out, std::string_view utf8) { AppendFolded(out, utf8, Fold::LowerOnly); }

std::string LowerCaseForm(std::string_view utf8) { return Folded(utf8, Fold::LowerOnly); }

// Read whole first: which Cyrillic alphabet a name is in, and a Greek
// letter's neighbours, decide how a letter is written.
std::string PlainLatin(std::string_view utf8) {
    std::u32string name;
    name.reserve(utf8.size());
    for (size_t at = 0, length = 0; at < utf8.size(); at += length) name += ReadUtf8(utf8, at, length);
    const CyrillicAlphabet alphabet = CyrillicAlphabetOf(name);
    std::string out;
    out.reserve(utf8.size());
    for (size_t at = 0; at < name.size(); ++at) {
        const char* base = LatinBase(name[at]);
        if (name[at] < 0x80) out += static_cast<char>(name[at]);
        else if (base != nullptr && *base != '\0') out += base;
        else AppendPassportLatin(out, name, at, alphabet);
    }
    return out;
}
