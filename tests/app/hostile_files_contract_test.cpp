// Hostile configuration files, each put where the program looks for its own
// and taken through what a start and a contact book session do with it: the
// creation check, the date settings, the contact book, a new contact and a
// new company, and the readings after those writes. The simulation and the
// system's own profile functions must give the same readings; the files are
// compared by what the readers find in them, not byte for byte, because the
// system rewrites a file its own way.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/configuration_file.h"
#include "features/contacts/contact_store.h"
#include "features/dates/date_configuration.h"
#include "features/dates/date_format.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "tests/support/contact_lists.h"
#include "tests/support/contract.h"

#ifndef _WIN32
#include "platform/sim/sim.h"
#endif

namespace {


bool ReadDataFile(const std::string& name, std::string& bytes) {
    std::ifstream in(std::string(VANTOR_HOSTILE_DATA) + "/" + name, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return true;
}

// ---- The big files, made from the small ones ----------------------------

const std::string kTenMegabytes(10 << 20, 'v');

std::string WithTenMegabyteContact(std::string bytes) {
    return bytes + "Big, Value=mailto:" + kTenMegabytes + "@big.example\r\n" +
           "Roe, Max=mailto:Max.Roe@gmail.com\r\n";
}

std::string HundredThousandSectionsBefore(std::string bytes) {
    std::string sections;
    for (int i = 1; i <= 100000; ++i)
        sections += "[section" + std::to_string(i) + "]\r\nkey=value" + std::to_string(i) + "\r\n";
    return sections + bytes;
}

std::string NumberedContact(int i) {
    std::string n = std::to_string(100000 + i).substr(1);
    return "Name" + n + ", Given=mailto:Given.Name" + n + "@gmail.com";
}

std::string WithFiftyThousandContacts(std::string bytes) {
    for (int i = 1; i <= 50000; ++i) bytes += NumberedContact(i) + "\r\n";
    return bytes;
}

std::string FiftyThousandContacts() {
    std::string text;
    for (int i = 1; i <= 50000; ++i) text += NumberedContact(i) + ";";
    return text;
}

// ---- What the readers find, as text -------------------------------------

std::string Printable(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// Readings of megabytes are shown by their sizes and first difference.
void ExpectSameText(const std::string& actual, const std::string& expected, const std::string& what) {
    if (actual == expected) return;
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    size_t from = at < 40 ? 0 : at - 40;
    ADD_FAILURE() << what << ": " << actual.size() << " bytes read, " << expected.size()
                  << " expected, first difference at " << at << "\n  read:     "
                  << Printable(actual.substr(from, 120)) << "\n  expected: "
                  << Printable(expected.substr(from, 120));
}

// ---- The cases ----------------------------------------------------------

enum class Place { File, ReadOnlyFile, Folder };

struct NewEntries {
    std::string contactKey, address;
    std::string acronym, companyName, emailExtension;
};

const NewEntries kNew = {"Roe, Ann", "Ann.Roe@gmail.com", "NEW", "New Co", "@new.example"};

struct HostileCase {
    std::string name{};
    std::string file{};                           // in the data folder; empty for none
    std::string (*grow)(std::string) = nullptr;   // makes the big file out of it
    Place place = Place::File;
    std::string format{};                         // date format read
    std::string firstShortWeekday{};
    std::string december{};                       // long name of month 12
    std::string domains{}, contacts{};            // as the contact book reads them
    std::string domainsAfter{}, contactsAfter{};  // after the new contact and company
    StoreOutcome stored = StoreOutcome::Written;  // of the new contact and company
    bool madeUnicode = false;                     // at start, its original kept as the backup
    std::vector<std::string> kept{};              // text the file still holds after the writes
    NewEntries add = kNew;
};

const char kBuiltInFormat[] = "<b>w.dd/mm (Wwn)</b>";
const char kFormat[] = "<b>dd/mm</b>";
const std::string kBuiltInDomain = "default=Microsoft|@microsoft.com;";
const std::string kGoogle = "G=Google|@gmail.com;";
const std::string kPlainDomains = kBuiltInDomain + kGoogle;
const std::string kJohn = "Doe, John=mailto:John.Doe@gmail.com;";
const std::string kJane = "Doe, Jane=mailto:Jane.Doe@gmail.com;";
const std::string kMax = "Roe, Max=mailto:Max.Roe@gmail.com;";
const std::string kPlainContacts = kJohn + "Doe, Jane=mailto:Jane.Doe@microsoft.com;";
const std::string kNewDomain = "NEW=New Co|@new.example;";
const std::string kNewContact = "Roe, Ann=mailto:Ann.Roe@gmail.com;";
const std::string kSociete = "S\xC3\x89=Soci\xC3\xA9t\xC3\xA9|@societe.fr;";
const std::string kZelieDvorak = "Z\xC3\xA9lie, Ana=mailto:Ana.Zelie@societe.fr;"
                                 "Dvo\xC5\x99\xC3\xA1k, Anton\xC3\xADn=mailto:Antonin.Dvorak@microsoft.com;";

std::vector<HostileCase> Cases() {
    return {
        {.name = "plain", .file = "plain.ini", .format = kFormat, .firstShortWeekday = "Lun",
         .domains = kPlainDomains, .contacts = kPlainContacts,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kPlainContacts + kNewContact},
        // Nothing in it reads as a setting; the writes add both sections.
        {.name = "binary_junk", .file = "binary_junk.ini", .format = kBuiltInFormat,
         .domains = kBuiltInDomain, .domainsAfter = kNewDomain, .contactsAfter = kNewContact},
        // The profile functions read UTF-16; the contact book reads bytes and
        // finds no header between the zero bytes, before or after the writes.
        // Notepad's "Unicode": the contact book reads it as the profile
        // functions do, and sees what they write into it.
        {.name = "utf16le_bom", .file = "utf16le_bom.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .domains = kPlainDomains, .contacts = kPlainContacts,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kPlainContacts + kNewContact},
        {.name = "utf8_bom", .file = "utf8_bom.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .december = "D\xC3\xA9" "cembre", .domains = kPlainDomains,
         .contacts = kJohn + "Z\xC3\xA9lie, \xC3\x89mile=mailto:Emile.Zelie@gmail.com;",
         .domainsAfter = kPlainDomains + kNewDomain,
         .contactsAfter = kJohn + "Z\xC3\xA9lie, \xC3\x89mile=mailto:Emile.Zelie@gmail.com;" +
                          kNewContact,
         .madeUnicode = true},
        // The mark is not part of the first line: "[domains]" there is a header.
        // Made Unicode at start, the file shows the date section's format too.
        {.name = "utf8_bom_domains_first", .file = "utf8_bom_domains_first.ini",
         .format = kBuiltInFormat, .domains = kGoogle, .contacts = kJohn,
         .domainsAfter = kGoogle + kNewDomain, .contactsAfter = kJohn + kNewContact, .madeUnicode = true},
        {.name = "utf16be_bom", .file = "utf16be_bom.ini", .format = kFormat, .firstShortWeekday = "Lun",
         .domains = kPlainDomains, .contacts = kPlainContacts, .domainsAfter = kPlainDomains + kNewDomain,
         .contactsAfter = kPlainContacts + kNewContact, .madeUnicode = true},
        // What cannot be made Unicode is read by the program itself and never
        // written.
        {.name = "utf16be_bom_read_only", .file = "utf16be_bom.ini", .place = Place::ReadOnlyFile,
         .format = kFormat, .firstShortWeekday = "Lun", .domains = kPlainDomains, .contacts = kPlainContacts,
         .domainsAfter = kPlainDomains, .contactsAfter = kPlainContacts, .stored = StoreOutcome::MarkNotHonoured},
        // UTF-8 keys holding bytes that Windows-1252 leaves undefined survive
        // a rewrite in the ANSI code page.
        {.name = "utf8_keys_undefined_cp1252", .file = "utf8_keys_undefined_cp1252.ini",
         .format = kBuiltInFormat, .domains = kGoogle,
         .contacts = "\xC5\x81ukasz, K\xC5\x8Dno=mailto:Kono.Lukasz@gmail.com;"
                     "\xC4\x90or\xC4\x91" "e, \xC5\x9D" "a\xC4\x8F" "a=mailto:Sada.Dorde@gmail.com;" + kJohn,
         .domainsAfter = kGoogle + kNewDomain,
         .contactsAfter = "\xC5\x81ukasz, K\xC5\x8Dno=mailto:Kono.Lukasz@gmail.com;"
                          "\xC4\x90or\xC4\x91" "e, \xC5\x9D" "a\xC4\x8F" "a=mailto:Sada.Dorde@gmail.com;" +
                          kJohn + kNewContact},
        // An editor's "ANSI" (Windows-1252) texts beside UTF-8 ones: each is
        // read as what it is, and held as UTF-8.
        {.name = "windows1252_and_utf8", .file = "windows1252_and_utf8.ini", .format = kFormat,
         .firstShortWeekday = "L\xC3\xBCn", .december = "D\xC3\xA9" "cembre",
         .domains = kBuiltInDomain + kSociete, .contacts = kZelieDvorak,
         .domainsAfter = kBuiltInDomain + kSociete + kNewDomain, .contactsAfter = kZelieDvorak + kNewContact},
        {.name = "cr_only", .file = "cr_only.ini", .format = kFormat, .firstShortWeekday = "Lun",
         .domains = kPlainDomains, .contacts = kPlainContacts,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kPlainContacts + kNewContact},
        {.name = "lf_only", .file = "lf_only.ini", .format = kFormat, .firstShortWeekday = "Lun",
         .domains = kPlainDomains, .contacts = kPlainContacts,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kPlainContacts + kNewContact},
        // A lone CR ends a line for both readers even where later lines end
        // in LF.
        {.name = "mixed_line_ends", .file = "mixed_line_ends.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .domains = kPlainDomains, .contacts = kPlainContacts,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kPlainContacts + kNewContact},
        {.name = "duplicate_sections", .file = "duplicate_sections.ini", .format = "<b>first</b>",
         .domains = kGoogle, .contacts = kJohn, .domainsAfter = kGoogle + kNewDomain,
         .contactsAfter = kJohn + kNewContact,
         .kept = {"output=<b>second</b>", "Y!=Yahoo!@yahoo.com", "Doe, Jane=mailto:Jane.Doe@yahoo.com"}},
        // The first of each key is read; the contact book keeps every line,
        // and a new entry of a key the file holds is not written over it.
        {.name = "duplicate_keys", .file = "duplicate_keys.ini", .format = "<b>first</b>",
         .firstShortWeekday = "Lun", .domains = kGoogle + "G=Google France|@gmail.fr;",
         .contacts = kJohn + kJane + "Doe, John=mailto:John.Doe@gmail.fr;",
         .domainsAfter = kGoogle + "G=Google France|@gmail.fr;",
         .contactsAfter = kJohn + kJane + "Doe, John=mailto:John.Doe@gmail.fr;",
         .stored = StoreOutcome::KeyTaken, .kept = {"output=<b>second</b>"},
         .add = {"Doe, John", "John.Doe@new.example", "G", "Google Mail", "@googlemail.com"}},
        {.name = "contact_book_last_line", .file = "contact_book_last_line.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .domains = kPlainDomains,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kNewContact},
        {.name = "contact_book_last_line_no_eol", .file = "contact_book_last_line_no_eol.ini",
         .format = kFormat, .firstShortWeekday = "Lun", .domains = kPlainDomains,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kNewContact},
        // A contact whose key holds both brackets ends the section: the
        // contacts after it, and the one added at the section's end, are not
        // listed although the file holds them.
        {.name = "contact_key_brackets", .file = "contact_key_brackets.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .domains = kPlainDomains,
         .contacts = kJane + "Doe [HQ], John=mailto:John.Doe@gmail.com;",
         .domainsAfter = kPlainDomains + kNewDomain,
         .contactsAfter = kJane + "Doe [HQ], John=mailto:John.Doe@gmail.com;",
         .kept = {"Roe, Max=mailto:Max.Roe@gmail.com"}},
        // Starting with "[", the same line is a section header to the profile
        // functions: the new contact goes before it, and a rewrite keeps only
        // "[HQ]" of it.
        {.name = "contact_key_starts_bracket", .file = "contact_key_starts_bracket.ini",
         .format = kFormat, .firstShortWeekday = "Lun", .domains = kPlainDomains,
         .contacts = kJane + "[HQ] Doe, John=mailto:John.Doe@gmail.com;",
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kJane + kNewContact,
         .kept = {"Roe, Max=mailto:Max.Roe@gmail.com"}},
        {.name = "empty", .file = "empty.ini", .format = kBuiltInFormat, .domains = kBuiltInDomain,
         .domainsAfter = kNewDomain, .contactsAfter = kNewContact},
        // Nothing can be written: every reading stays as it was.
        {.name = "read_only", .file = "plain.ini", .place = Place::ReadOnlyFile, .format = kFormat,
         .firstShortWeekday = "Lun", .domains = kPlainDomains, .contacts = kPlainContacts,
         .domainsAfter = kPlainDomains, .contactsAfter = kPlainContacts, .stored = StoreOutcome::NotWritten},
        {.name = "folder_in_place", .place = Place::Folder, .format = kBuiltInFormat,
         .domains = kBuiltInDomain, .domainsAfter = kBuiltInDomain, .stored = StoreOutcome::NotWritten},
        // The contact book reads the zero byte as any other. The profile
        // functions end a name or value at it, so their rewrite keeps
        // "mailto:Byte.Nul" of that line: no "@", no contact. (Windows edits
        // the file in place and would keep the line.)
        {.name = "nul_in_middle", .file = "nul_in_middle.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .domains = kPlainDomains,
         .contacts = kJane + std::string("Nul, Byte=mailto:Byte.Nul\0x@gmail.com;", 38) + kMax,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kJane + kMax + kNewContact},
        {.name = "header_odd_case_blanks", .file = "header_odd_case_blanks.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .domains = kGoogle, .contacts = kJohn,
         .domainsAfter = kGoogle + kNewDomain, .contactsAfter = kJohn + kNewContact},
        // A tab is no blank to the contact book's header match, but is to the
        // profile functions, whose rewrite drops it: the contacts appear only
        // after a write.
        {.name = "header_tab", .file = "header_tab.ini", .format = kBuiltInFormat,
         .domains = kGoogle, .domainsAfter = kGoogle + kNewDomain,
         .contactsAfter = kJohn + kNewContact},
        {.name = "blank_lines", .file = "blank_lines.ini", .format = kFormat, .domains = kGoogle,
         .contacts = kJohn + kJane, .domainsAfter = kGoogle + kNewDomain,
         .contactsAfter = kJohn + kJane + kNewContact},
        // Lines with nothing before "=" are entries to the contact book. The
        // profile functions drop a nameless line that follows a nameless
        // entry, so their rewrite loses the second such contact. (Windows
        // edits the file in place and would keep it.)
        {.name = "empty_key", .file = "empty_key.ini", .format = kFormat,
         .domains = "=Nameless|@nameless.example;" + kGoogle,
         .contacts = "=mailto:nobody@gmail.com, x;=mailto:blank, key@gmail.com;" + kJohn,
         .domainsAfter = "=Nameless|@nameless.example;" + kGoogle + kNewDomain,
         .contactsAfter = "=mailto:nobody@gmail.com, x;" + kJohn + kNewContact},
        // The profile functions take one pair of quotes off; the contact book
        // takes values as they stand.
        {.name = "quoted_values", .file = "quoted_values.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .domains = "Q=\"Quoted Co|@quoted.example\";",
         .contacts = "Doe, John=\"mailto:John.Doe@quoted.example\";"
                     "\"Doe, Jane\"=mailto:Jane.Doe@quoted.example;",
         .domainsAfter = "Q=\"Quoted Co|@quoted.example\";" + kNewDomain,
         .contactsAfter = "Doe, John=\"mailto:John.Doe@quoted.example\";"
                          "\"Doe, Jane\"=mailto:Jane.Doe@quoted.example;" + kNewContact},
        // The new company's section goes at the end, after the contacts.
        {.name = "no_domains", .file = "no_domains.ini", .format = kFormat,
         .domains = kBuiltInDomain, .contacts = kJohn, .domainsAfter = kNewDomain,
         .contactsAfter = kJohn + kNewContact},
        {.name = "truncated_mid_line", .file = "truncated_mid_line.ini", .format = kFormat,
         .firstShortWeekday = "Lun", .domains = kPlainDomains,
         .contacts = kJane + "Roe, Max=mailto:Max.Roe@gm;", .domainsAfter = kPlainDomains + kNewDomain,
         .contactsAfter = kJane + "Roe, Max=mailto:Max.Roe@gm;" + kNewContact},
        {.name = "ten_megabyte_line", .file = "plain.ini", .grow = WithTenMegabyteContact,
         .format = kFormat, .firstShortWeekday = "Lun", .domains = kPlainDomains,
         .contacts = kPlainContacts + "Big, Value=mailto:" + kTenMegabytes + "@big.example;" + kMax,
         .domainsAfter = kPlainDomains + kNewDomain,
         .contactsAfter = kPlainContacts + "Big, Value=mailto:" + kTenMegabytes + "@big.example;" +
                          kMax + kNewContact},
        {.name = "hundred_thousand_sections", .file = "plain.ini",
         .grow = HundredThousandSectionsBefore, .format = kFormat, .firstShortWeekday = "Lun",
         .domains = kPlainDomains, .contacts = kPlainContacts,
         .domainsAfter = kPlainDomains + kNewDomain, .contactsAfter = kPlainContacts + kNewContact,
         .kept = {"[section1]\r\nkey=value1\r\n", "[section100000]\r\nkey=value100000\r\n"}},
        {.name = "fifty_thousand_contacts", .file = "plain.ini", .grow = WithFiftyThousandContacts,
         .format = kFormat, .firstShortWeekday = "Lun", .domains = kPlainDomains,
         .contacts = kPlainContacts + FiftyThousandContacts(),
         .domainsAfter = kPlainDomains + kNewDomain,
         .contactsAfter = kPlainContacts + FiftyThousandContacts() + kNewContact},
    };
}

// ---- The steps ----------------------------------------------------------

bool PutInPlace(const HostileCase& c, const std::string& path, const std::string& bytes) {
    if (c.place == Place::Folder) return MakeFolder(path) && platform::PathExists(path);
    if (!platform::WriteNewFile(path, bytes)) return false;
    return c.place != Place::ReadOnlyFile || MakeReadOnly(path);
}

// Both for the creation check at start and for writes that cannot happen.
void ExpectLeftAlone(const HostileCase& c, const std::string& path, const std::string& bytes,
                     const std::string& when) {
    std::string now;
    bool readable = platform::ReadWholeFile(path, now);
    if (c.place == Place::Folder) {
        EXPECT_TRUE(platform::PathExists(path)) << when;
        EXPECT_FALSE(readable) << when << ": a file took the folder's place";
        return;
    }
    ASSERT_TRUE(readable) << when;
    ExpectSameText(now, bytes, "file " + when);
}

void ExpectReadings(const HostileCase& c, const std::string& domains, const std::string& contacts,
                    const std::string& when) {
    gDateFormat = "stale";
    ReadDateConfiguration();
    EXPECT_EQ(gDateFormat, c.format) << when;
    ASSERT_EQ(gShortWeekdayNames.size(), 7u);
    ASSERT_EQ(gLongMonthNames.size(), 12u);
    EXPECT_EQ(Printable(gShortWeekdayNames[0]), Printable(c.firstShortWeekday)) << when;
    EXPECT_EQ(Printable(gLongMonthNames[11]), Printable(c.december)) << when;
    LoadContactBook();
    ExpectSameText(DomainsOf(gDomains), domains, "domains " + when);
    ExpectSameText(ContactsOf(gContacts), contacts, "contacts " + when);
}

void AddTheNewEntries(const HostileCase& c) {
    size_t known = gDomains.size();
    // Each write answers whether the file took it.
    EXPECT_EQ(AddContact(c.add.contactKey, c.add.address).outcome, c.stored);
    // The new company is listed at once, whether or not the file took it.
    EXPECT_EQ(AddDomainEntry(c.add.acronym, c.add.companyName, c.add.emailExtension).outcome, c.stored);
    ASSERT_EQ(gDomains.size(), known + 1);
    EXPECT_EQ(gDomains.back().acronym, c.add.acronym);
#ifndef _WIN32
    // A write that failed is not told to the user (the simulation records
    // every message box).
    EXPECT_TRUE(sim::MessageBoxes().empty());
#endif
}

void ExpectWritten(const HostileCase& c, const std::string& path) {
    std::string contact = platform::GetPrivateProfileStringW("contact_book", c.add.contactKey, "",
                                                             1024, path);
    std::string company =
        platform::GetPrivateProfileStringW("domains", c.add.acronym, "", 1024, path);
    if (c.stored == StoreOutcome::Written) {
        EXPECT_EQ(contact, "mailto:" + c.add.address);
        EXPECT_EQ(company, c.add.companyName + c.add.emailExtension);
    } else if (c.stored == StoreOutcome::NotWritten) {
        EXPECT_EQ(contact, "");
        EXPECT_EQ(company, "");
    }
    std::string now;
    if (c.kept.empty() || !platform::ReadWholeFile(path, now)) return;
    for (const std::string& text : c.kept)
        EXPECT_NE(now.find(text), std::string::npos) << "lost: " << Printable(text);
}

// A failing case is named, not dumped as bytes.
void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class HostileFile : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileFile, ReadAndWrittenAsTheReadersTakeIt) {
    const HostileCase& c = GetParam();
    std::string bytes;
    if (!c.file.empty()) {
        ASSERT_TRUE(ReadDataFile(c.file, bytes)) << c.file;
    }
    if (c.grow) bytes = c.grow(bytes);
    std::string path = PlaceOfConfiguration();
    ASSERT_TRUE(PutInPlace(c, path, bytes)) << path;

    EnsureConfigurationFile();
    MendConfigurationMark();
    std::string backup;
    EXPECT_EQ(platform::ReadWholeFile(path + ".bak", backup) && backup == bytes, c.madeUnicode);
    if (c.madeUnicode) { EXPECT_TRUE(platform::ReadWholeFile(path, bytes) && bytes.rfind("\xFF\xFE", 0) == 0); }
    ExpectLeftAlone(c, path, bytes, "after the start");
    ExpectReadings(c, c.domains, c.contacts, "before the writes");

    AddTheNewEntries(c);
    ExpectWritten(c, path);
    if (c.stored != StoreOutcome::Written) ExpectLeftAlone(c, path, bytes, "after the refused writes");
    ExpectReadings(c, c.domainsAfter, c.contactsAfter, "after the writes");
    ClearPlace(path);
}

INSTANTIATE_TEST_SUITE_P(Hostile, HostileFile, testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
