// How contact names are compared and turned into addresses, on UTF-8 text.
// One table gives every letter of Latin-1 Supplement and Latin Extended-A
// its plain Latin letters ("ř" "r", "ß" "ss", "Æ" "Ae", "þ" "th"); matching
// lowers it, addresses keep its case. Bytes that are not UTF-8 pass through
// unchanged, so a name from an older file still compares with itself.
#pragma once

#include <string>
#include <string_view>

// Each Latin letter of the table as its plain letters, case kept: "Dvořák"
// gives "Dvorak", "Łódź" "Lodz", "Straße" "Strasse". Everything else stays.
std::string FoldAccents(std::string_view utf8);

// The form two names are matched in, case and accents set aside: the
// table's letters lowered, and every other letter with a case (ASCII, Greek,
// Cyrillic, final sigma) in lower case. "Zélie" and "ZELIE" both give
// "zelie", "Παπ" gives "παπ". Appended to `out`, so many names can share
// one buffer.
void AppendMatchForm(std::string& out, std::string_view utf8);
std::string MatchForm(std::string_view utf8);

// Lower case only, accents kept: what tells two names apart from case alone
// ("Zélie" and "ZÉLIE" are one name, "Zelie" another).
void AppendLowerCaseForm(std::string& out, std::string_view utf8);
std::string LowerCaseForm(std::string_view utf8);

// The plain ASCII an address may hold: the table's letters folded, case
// kept, Cyrillic and Greek as passports write them ("Νίκος" "Nikos"), and
// whatever else is not ASCII ("中") dropped.
std::string PlainLatin(std::string_view utf8);
