// How names are folded for matching and for addresses, on UTF-8 text.
#include "text/folding.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>

// The letters the old single-byte table folded fold as they did; the rest of
// both Latin blocks now folds too. Columns: FoldAccents, MatchForm,
// LowerCaseForm.
TEST(FoldAccents, OneTableForAccentsAndCase) {
    const struct {
        std::string input, folded, matched, lowered;
    } cases[] = {
        {"ÀÂÄÉÈÊËÎÏÔÖÙÛÜÇÑ", "AAAEEEEIIOOUUUCN", "aaaeeeeiioouuucn", "àâäéèêëîïôöùûüçñ"},
        {"àâäéèêëîïôöùûüÿçñ", "aaaeeeeiioouuuycn", "aaaeeeeiioouuuycn", "àâäéèêëîïôöùûüÿçñ"},
        {"ÁÍÓÚÌÒÃÕÅØŸ", "AIOUIOAOAOY", "aiouioaoaoy", "áíóúìòãõåøÿ"},
        {"ß æ œ ø ł đ þ", "ss ae oe o l d th", "ss ae oe o l d th", "ß æ œ ø ł đ þ"},
        {"Æsa Œuvre Þór ĲSSEL İŉĸ", "Aesa Oeuvre Thor IJSSEL Ink", "aesa oeuvre thor ijssel ink", "æsa œuvre þór ĳssel iŉĸ"},
        {"Dvořák, ŁÓDŹ", "Dvorak, LODZ", "dvorak, lodz", "dvořák, łódź"},
        {"Παπαδόπουλος, ΆΝΝΑ", "Παπαδόπουλος, ΆΝΝΑ", "παπαδόπουλοσ, άννα", "παπαδόπουλοσ, άννα"},
        {"ЁЖИК Ґанок", "ЁЖИК Ґанок", "ёжик ґанок", "ёжик ґанок"},
        {"× ÷ € 中", "× ÷ € 中", "× ÷ € 中", "× ÷ € 中"},
        {"Z\xC9LIE \xC3", "Z\xC9LIE \xC3", "z\xC9lie \xC3", "z\xC9lie \xC3"},  // not UTF-8: bytes kept
        {std::string("A\0é", 4), std::string("A\0e", 3), std::string("a\0e", 3), std::string("a\0é", 4)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldAccents(c.input), c.folded) << c.input;
        EXPECT_EQ(MatchForm(c.input), c.matched) << c.input;
        EXPECT_EQ(LowerCaseForm(c.input), c.lowered) << c.input;
    }
}

// Over both Latin blocks, Greek and Cyrillic, against the C library's case
// tables: a capital and its lower-case letter are one letter for matching,
// and every Latin letter gives an address plain ASCII letters.
TEST(FoldAccents, EveryLetterMatchesItsOtherCaseAndGivesAsciiLetters) {
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
    auto utf8 = [](wint_t c) {  // below U+0800
        return c < 0x80 ? std::string(1, char(c)) : std::string{char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    };
    for (auto [first, last] : {std::pair<wint_t, wint_t>{0xC0, 0x17F}, {0x386, 0x3CE}, {0x400, 0x52F}})
        for (wint_t code = first; code <= last; ++code) {
            if (code == 0x3C2) continue;  // final sigma is σ on purpose
            EXPECT_EQ(LowerCaseForm(utf8(code)), utf8(std::towlower(code))) << std::hex << code;
            EXPECT_EQ(MatchForm(utf8(code)), MatchForm(utf8(std::towlower(code)))) << std::hex << code;
            const bool written = code <= 0x45F && code != 0x42C && code != 0x44C && std::iswalpha(code);  // ь: none
            std::string plain = written ? PlainLatin(utf8(code)) : "a";
            EXPECT_TRUE(!plain.empty() && plain.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ") ==
                        std::string::npos) << std::hex << code;
        }
    std::setlocale(LC_CTYPE, "C");
}
