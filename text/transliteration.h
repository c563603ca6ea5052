// Cyrillic and Greek names in plain Latin letters, as passports write them:
// Cyrillic by the table of ICAO Doc 9303, Greek by ELOT 743. Only what an
// address needs: no marks, and the case the name gives ("Жуков" "Zhukov",
// "ЖУКОВ" "ZHUKOV").
#pragma once

#include <string>
#include <string_view>

// The Cyrillic alphabets whose letters ICAO reads differently. A name tells
// its alphabet only by letters the others lack (Ґ Є Ї І, Ў, Ђ Ћ Ј Љ Њ Џ,
// Ѓ Ќ Ѕ); any other is read as Russian, Bulgarian's Щ included.
enum class CyrillicAlphabet { Russian, Ukrainian, Belarusian, Serbian, Macedonian };
CyrillicAlphabet CyrillicAlphabetOf(std::u32string_view name);

// Appends the Latin of the Cyrillic or Greek letter name[at]; a Greek
// letter is read with its neighbours (ου, αυ, γγ). False, with nothing
// appended, for any other character.
bool AppendPassportLatin(std::string& out, std::u32string_view name, size_t at, CyrillicAlphabet alphabet);
