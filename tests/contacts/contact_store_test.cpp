#include "features/contacts/contact_store.h"

#include <gtest/gtest.h>

#include "app/configuration_file.h"
#include "platform/profile.h"
#include "platform/sim/sim.h"
#include "tests/support/contact_lists.h"

// Readable failures for the two records.
void PrintTo(const DomainEntry& d, std::ostream* os) {
    *os << "{" << d.acronym << "|" << d.companyName << "|" << d.emailExtension << "}";
}
void PrintTo(const Contact& c, std::ostream* os) {
    *os << "{" << c.displayKey << "|" << c.mailtoValue << "}";
}

namespace {

const DomainEntry kBuiltIn = {"default", "Microsoft", "@microsoft.com"};

// A file as Notepad saves "Unicode": its mark, then the text in UTF-16.
std::string Utf16(const char* mark, const std::u16string& text, bool bigEndian) {
    std::string bytes = mark;
    for (char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

struct ParseCase {
    const char* name;
    std::string file;
    std::vector<DomainEntry> domains;
    std::vector<Contact> contacts;
};

const ParseCase kParseCases[] = {
    {"EmptyFile", "", {kBuiltIn}, {}},
    {"BothSections",
     "[domains]\r\ndefault=Microsoft@microsoft.com\r\nY!=Yahoo!@yahoo.com\r\n\r\n"
     "[contact_book]\r\nDoe, John=mailto:John.Doe@yahoo.com\r\n",
     {{"default", "Microsoft", "@microsoft.com"}, {"Y!", "Yahoo!", "@yahoo.com"}},
     {{"Doe, John", "mailto:John.Doe@yahoo.com"}}},
    {"HeaderInAnyCaseBetweenSpaces",
     "   [Contact_Book]   \r\nDoe, John=mailto:j@x.com\r\n  [DOMAINS] \r\nG=Google@gmail.com\r\n",
     {{"G", "Google", "@gmail.com"}},
     {{"Doe, John", "mailto:j@x.com"}}},
    {"HeaderTrimmedOfSpacesOnly", "\t[contact_book]\r\nDoe, John=mailto:j@x.com\r\n", {kBuiltIn}, {}},
    {"ContactLinesNeedEqualsCommaAndAt",
     "[contact_book]\r\nDoe John=mailto:j@x.com\r\nDoe, John=mailto:jx.com\r\n"
     "Doe, John mailto:j@x.com\r\nRoe, Ann=mailto:a@x.com\r\n",
     {kBuiltIn},
     {{"Roe, Ann", "mailto:a@x.com"}}},
    {"ContactCommaAndAtAnywhere", "[contact_book]\r\nJohn=mailto:a,b@x.com\r\n",
     {kBuiltIn},
     {{"John", "mailto:a,b@x.com"}}},
    {"ContactPartsTrimmedOfSpaces", "[contact_book]\r\n  Doe, John  =  mailto:j@x.com  \r\n",
     {kBuiltIn},
     {{"Doe, John", "mailto:j@x.com"}}},
    {"ContactTabsStay", "[contact_book]\r\n\tDoe, John=mailto:j@x.com\t\r\n",
     {kBuiltIn},
     {{"\tDoe, John", "mailto:j@x.com\t"}}},
    {"ContactSplitAtFirstEquals", "[contact_book]\r\nDoe, John=mailto:j=1@x.com\r\n",
     {kBuiltIn},
     {{"Doe, John", "mailto:j=1@x.com"}}},
    {"DuplicateContactsStay",
     "[contact_book]\r\nDoe, John=mailto:a@x.com\r\nDoe, John=mailto:b@x.com\r\n",
     {kBuiltIn},
     {{"Doe, John", "mailto:a@x.com"}, {"Doe, John", "mailto:b@x.com"}}},
    {"DomainPartsTrimmed", "[domains]\r\nY! = Some Co @ext\r\n", {{"Y!", "Some Co", "@ext"}}, {}},
    {"DomainInnerSpacesStay", "[domains]\r\nA B=Big  Co@ex t . com\r\n",
     {{"A B", "Big  Co", "@ex t . com"}},
     {}},
    {"DomainValueSplitAtFirstAt", "[domains]\r\nX=Co@a@b.com\r\n", {{"X", "Co", "@a@b.com"}}, {}},
    {"DomainLinesWithoutEqualsOrAtIgnored",
     "[domains]\r\nMicrosoft@microsoft.com\r\nY!=Yahoo\r\n\r\n", {kBuiltIn}, {}},
    {"DomainAtOnlyInKeyIgnored", "[domains]\r\nY@=Yahoo\r\n", {kBuiltIn}, {}},
    {"DuplicateAcronymsStay", "[domains]\r\nG=Google@gmail.com\r\nG=Google@google.com\r\n",
     {{"G", "Google", "@gmail.com"}, {"G", "Google", "@google.com"}},
     {}},
    {"SectionEndsAfterALineWithBrackets",
     "[contact_book]\r\nA, B=mailto:a@b.com\r\nsee [notes] below\r\nC, D=mailto:c@d.com\r\n",
     {kBuiltIn},
     {{"A, B", "mailto:a@b.com"}}},
    {"EndingLineIsItselfExamined",
     "[contact_book]\r\nA, B [old]=mailto:a@b.com\r\nC, D=mailto:c@d.com\r\n",
     {kBuiltIn},
     {{"A, B [old]", "mailto:a@b.com"}}},
    {"BracketsApartStillEndTheSection",
     "[contact_book]\r\nA, B=mailto:a@b.com\r\n] and [\r\nC, D=mailto:c@d.com\r\n",
     {kBuiltIn},
     {{"A, B", "mailto:a@b.com"}}},
    {"OneBracketDoesNotEnd",
     "[contact_book]\r\nA, B [=mailto:a@b.com\r\nC, D=mailto:c@d.com\r\n",
     {kBuiltIn},
     {{"A, B [", "mailto:a@b.com"}, {"C, D", "mailto:c@d.com"}}},
    {"DomainEndJudgedOnValue",
     "[domains]\r\n[X]=Co@x.com\r\nG=Google@gmail.com\r\nK=Co [1]@k.com\r\nL=Late@l.com\r\n",
     {{"[X]", "Co", "@x.com"}, {"G", "Google", "@gmail.com"}, {"K", "Co [1]", "@k.com"}},
     {}},
    {"NextHeaderEndsSection",
     "[domains]\r\nG=Google@gmail.com\r\n[other]\r\nH=Hidden@h.com\r\n", {{"G", "Google", "@gmail.com"}}, {}},
    {"HeaderAsLastLineYieldsNothing", "[contact_book]", {kBuiltIn}, {}},
    {"HeaderAsLastLineBeforeFinalLineEnd", "[contact_book]\r\n", {kBuiltIn}, {}},
    {"LastLineExaminedWithoutLineEnd", "[contact_book]\r\nA, B=mailto:a@b.com",
     {kBuiltIn},
     {{"A, B", "mailto:a@b.com"}}},
    {"OnlyFirstHeaderCounts",
     "[contact_book]\r\nA, B=mailto:a@b.com\r\n[other]\r\n[contact_book]\r\nC, D=mailto:c@d.com\r\n",
     {kBuiltIn},
     {{"A, B", "mailto:a@b.com"}}},
    {"LinesBeforeHeaderIgnored", "A, B=mailto:a@b.com\r\nG=Google@gmail.com\r\n[contact_book]\r\n",
     {kBuiltIn},
     {}},
    {"LineFeedEnds", "[contact_book]\nA, B=mailto:a@b.com\nC, D=mailto:c@d.com\n",
     {kBuiltIn},
     {{"A, B", "mailto:a@b.com"}, {"C, D", "mailto:c@d.com"}}},
    {"LoneCarriageReturnEnds", "[contact_book]\rA, B=mailto:a@b.com\rC, D=mailto:c@d.com",
     {kBuiltIn},
     {{"A, B", "mailto:a@b.com"}, {"C, D", "mailto:c@d.com"}}},
    {"MixedLineEnds", "[domains]\n\rG=Google@gmail.com\r\r\n[contact_book]\n\nA, B=mailto:a@b.com\r",
     {{"G", "Google", "@gmail.com"}},
     {{"A, B", "mailto:a@b.com"}}},
    // What Notepad writes as "UTF-8" and as "Unicode" (little and big endian).
    {"Utf8MarkBeforeFirstHeader", "\xEF\xBB\xBF[domains]\r\nG=Google@gmail.com\r\n",
     {{"G", "Google", "@gmail.com"}},
     {}},
    {"Utf16LittleEndianAsUtf8", Utf16("\xFF\xFE", u"[contact_book]\n\u00C9, A=@", false),
     {kBuiltIn},
     {{"\xC3\x89, A", "@"}}},
    {"Utf16BigEndianAsUtf8", Utf16("\xFE\xFF", u"[contact_book]\r\n\u00C9, A=@", true),
     {kBuiltIn},
     {{"\xC3\x89, A", "@"}}},
    {"Utf16OddLastByteDropped", Utf16("\xFF\xFE", u"[contact_book]\nA, B=@", false) + "x",
     {kBuiltIn},
     {{"A, B", "@"}}},
    {"Utf8KeysKeptAsBytes", "[contact_book]\r\nZ\xC3\xA9lie, Ana=mailto:Ana.Zelie@x.com\r\n",
     {kBuiltIn},
     {{"Z\xC3\xA9lie, Ana", "mailto:Ana.Zelie@x.com"}}},
    // An editor's "ANSI" text is Windows-1252; each text is judged on its own.
    {"Windows1252TextsBecomeUtf8",
     "[domains]\r\nS\xC9=Soci\xE9t\xE9@soci\xE9t\xE9.fr\r\n[contact_book]\r\n"
     "Z\xE9lie, Ana=mailto:Ana.Zelie@x.com\r\nDvo\xC5\x99\xC3\xA1k, Anton\xC3\xADn=mailto:\x80@x.com\r\n",
     {{"S\xC3\x89", "Soci\xC3\xA9t\xC3\xA9", "@soci\xC3\xA9t\xC3\xA9.fr"}},
     {{"Z\xC3\xA9lie, Ana", "mailto:Ana.Zelie@x.com"},
      {"Dvo\xC5\x99\xC3\xA1k, Anton\xC3\xADn", "mailto:\xE2\x82\xAC@x.com"}}},
    {"Utf8MarkWithWindows1252Text", "\xEF\xBB\xBF[contact_book]\r\n\xC9mile, Z=@\r\n",
     {kBuiltIn},
     {{"\xC3\x89mile, Z", "@"}}},
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseContactBookTest : public testing::TestWithParam<ParseCase> {
protected:
    void SetUp() override { sim::Reset(); }
};

TEST_P(ParseContactBookTest, FillsBothLists) {
    const ParseCase& c = GetParam();
    ParseContactBook(c.file);
    EXPECT_EQ(gDomains, c.domains);
    EXPECT_EQ(gContacts, c.contacts);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseContactBookTest, testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseContactBook, EmptiesListsFromAnEarlierReading) {
    sim::Reset();
    ParseContactBook("[domains]\r\nG=Google@gmail.com\r\n[contact_book]\r\nA, B=mailto:a@b.com\r\n");
    ParseContactBook("[contact_book]\r\nC, D=mailto:c@d.com\r\n");
    EXPECT_EQ(gDomains, std::vector<DomainEntry>{kBuiltIn});
    EXPECT_EQ(gContacts, (std::vector<Contact>{{"C, D", "mailto:c@d.com"}}));
}

// ---- Reading the configuration file ----------------------------------------

class StoreFileTest : public testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        path = ConfigurationPath();
    }
    std::string path;
};

TEST_F(StoreFileTest, LoadReadsTheConfigurationFile) {
    sim::SetFile(path, "[domains]\r\nG=Google@gmail.com\r\n[contact_book]\r\nA, B=mailto:a@b.com\r\n");
    LoadContactBook();
    EXPECT_EQ(gDomains, (std::vector<DomainEntry>{{"G", "Google", "@gmail.com"}}));
    EXPECT_EQ(gContacts, (std::vector<Contact>{{"A, B", "mailto:a@b.com"}}));
}

TEST_F(StoreFileTest, MissingFileGivesBuiltInCompanyAndNoContacts) {
    gContacts = {{"Old, One", "mailto:o@x.com"}};
    LoadContactBook();
    EXPECT_EQ(gDomains, std::vector<DomainEntry>{kBuiltIn});
    EXPECT_TRUE(gContacts.empty());
}

// A new entry is written only where no line of its section holds its key
// as the profile functions match keys; a key beyond ASCII, or a file with a
// mark Windows does not honour, first makes the file Unicode, the original
// kept as a backup.
struct AddCase {
    const char* name;
    std::string file;
    const char* acronym;  // a company with this acronym; null: the contact below
    std::string key;      // the contact's name, or the company's name
    StoreResult stored;
    std::string contacts, domains;  // read back, as ContactsOf and DomainsOf give them
    bool unicode = false;           // the file became FF FE, its original the backup
    bool readOnly = false;
};

const std::string kLi = "\xE6\x9D\x8E, \xE6\x98\x8E", kQi = "\xE6\x9D\x9E, \xE6\x98\x8E";  // 李, 明 and 杞, 明
const std::string kMuller = "M\xC3\x8CLLER, Anna", kMueller = "M\xC3\x9CLLER, Anna";
const std::string kE = "\xC3\x8A, Eva", kU = "\xC3\x9A, Eva";
const std::string kKa = "\xD0\x9A, Ivan", kNje = "\xD0\x8A, Ivan";
const StoreResult kWritten = {StoreOutcome::Written, ""};
StoreResult Taken(const std::string& holder) { return {StoreOutcome::KeyTaken, holder}; }
const std::string kBuiltInText = "default=Microsoft|@microsoft.com;";

std::vector<AddCase> AddCases() {
    std::vector<AddCase> cases = {
        {"AppendedToItsSection", "[contact_book]\r\nA, B=mailto:a@b.com\r\n", nullptr, "Doe, Max", kWritten,
         "A, B=mailto:a@b.com;Doe, Max=mailto:new@x.com;", kBuiltInText},
        {"SectionMadeInAUnicodeFile", "[domains]\r\nG=Google@gmail.com\r\n", nullptr, "Z\xC3\xA9lie, Ana", kWritten,
         "Z\xC3\xA9lie, Ana=mailto:new@x.com;", "G=Google|@gmail.com;", true},
        {"UnicodeNamesInAnyCase", Utf16("\xFF\xFE", u"[contact_book]\r\n\u0418\u0432\u0430\u043D\r\n", false),
         nullptr, "\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD", Taken("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"),
         "", kBuiltInText},
        {"AcronymOfOtherCaseIsTaken", "[domains]\r\nY!=Yahoo!@yahoo.com\r\n", "y!", "Yahoo France",
         Taken("Y!"), "", "Y!=Yahoo!|@yahoo.com;"},
        {"CompanyAfterTheBuiltInOne", "[contact_book]\r\n", "AMZ", "Amazon", kWritten, "", "AMZ=Amazon|@new.example;"},
        {"BigEndianMarkMadeUnicode", Utf16("\xFE\xFF", u"[contact_book]\r\nA, B=mailto:a@b.com\r\n", true), nullptr,
         "Doe, Max", kWritten, "A, B=mailto:a@b.com;Doe, Max=mailto:new@x.com;", kBuiltInText, true},
        {"ReadOnlyFileWithAUtf8MarkIsOnlyRead", "\xEF\xBB\xBF[contact_book]\r\nA, B=mailto:a@b.com\r\n", nullptr,
         "Doe, Max", StoreResult{StoreOutcome::MarkNotHonoured, ""}, "A, B=mailto:a@b.com;", kBuiltInText, false, true},
    };
    // The file that cannot become Unicode still keeps its entry; the one that
    // can holds both names.
    for (const auto& [held, added] : {std::pair{kLi, kQi}, {kMuller, kMueller}, {kE, kU}, {kKa, kNje}}) {
        const std::string file = "[contact_book]\r\n" + held + "=mailto:held@x.com\r\n";
        cases.push_back({"CollidingName", file, nullptr, added, kWritten,
                         held + "=mailto:held@x.com;" + added + "=mailto:new@x.com;", kBuiltInText, true});
        cases.push_back({"CollidingNameInAReadOnlyFile", file, nullptr, added, Taken(held),
                         held + "=mailto:held@x.com;", kBuiltInText, false, true});
    }
    return cases;
}

TEST_F(StoreFileTest, NewEntryNeverReplacesAnother) {
    for (const AddCase& c : AddCases()) {
        sim::Reset();
        sim::SetFile(path, c.file);
        if (c.readOnly) sim::SetReadOnly(path);
        LoadContactBook();
        const size_t known = gDomains.size();
        const StoreResult stored = c.acronym ? AddDomainEntry(c.acronym, c.key, "@new.example")
                                             : AddContact(c.key, "new@x.com");
        EXPECT_EQ(stored.outcome, c.stored.outcome) << c.name << " " << c.key;
        EXPECT_EQ(stored.holder, c.stored.holder) << c.name << " " << c.key;
        // A company is listed at once, kept or not, for the contact being made.
        EXPECT_EQ(gDomains.size(), known + (c.acronym ? 1 : 0)) << c.name;
        std::string bytes, backup;
        ASSERT_TRUE(sim::GetFile(path, bytes));
        EXPECT_EQ(bytes.rfind("\xFF\xFE", 0) == 0, c.unicode || c.file.rfind("\xFF\xFE", 0) == 0) << c.name;
        EXPECT_EQ(sim::GetFile(path + ".bak", backup) && backup == c.file, c.unicode) << c.name;
        if (c.stored.outcome != StoreOutcome::Written && !c.unicode) {
            EXPECT_EQ(bytes, c.file) << c.name << " " << c.key;
        }
        LoadContactBook();
        EXPECT_EQ(ContactsOf(gContacts), c.contacts) << c.name << " " << c.key;
        EXPECT_EQ(DomainsOf(gDomains), c.domains) << c.name << " " << c.key;
    }
}

// A backup from an earlier conversion is never written over.
TEST_F(StoreFileTest, EarlierBackupIsKept) {
    sim::SetFile(path + ".bak", "older");
    sim::SetFile(path, "[contact_book]\r\n");
    EXPECT_EQ(AddContact(kQi, "new@x.com"), kWritten);
    std::string older, backup;
    EXPECT_TRUE(sim::GetFile(path + ".bak", older) && older == "older" && sim::GetFile(path + ".bak2", backup) &&
                backup == "[contact_book]\r\n");
}

// ---- Finding, folding, composing -------------------------------------------

TEST(FindContact, ExactFirstThenApartFromCaseAndSpaces) {
    gContacts = {{"Doe, John", "mailto:1@x"}, {"Zélie, Ana", "mailto:2@x"}, {"doe, john", "mailto:3@x"}};
    const std::pair<std::string, std::optional<size_t>> cases[] = {
        {"Doe, John", 0}, {"doe, john", 2}, {"DOE, JOHN", 0}, {"  Doe, John ", 0}, {"ZÉLIE, ANA", 1},
        {"Zelie, Ana", std::nullopt}, {"Doe,  John", std::nullopt}, {"Doe", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [typed, found] : cases) EXPECT_EQ(FindContact(typed), found) << typed;
}

struct TextCase {
    std::string input;
    std::string expected;
};

TEST(ComposeAddress, AfterCommaThenDotThenBeforeInPlainLatin) {
    const TextCase cases[] = {
        {"Çà, Öz", "Oz.Ca@e.com"},
        {"Abc , Xyz Q", "Xyz Q.Abc@e.com"},
        {"Doe, John, Jr", "John, Jr.Doe@e.com"},
        {"McDo, JEAN", "JEAN.McDo@e.com"},
        {"  Doe  ,  \tJohn  ", "\tJohn.Doe@e.com"},
        {"Álvarez, ß", "ss.Alvarez@e.com"},
        {"Dvořák, Antonín", "Antonin.Dvorak@e.com"},
        {"Nowak, Łukasz", "Lukasz.Nowak@e.com"},
        {"Zoë, Æsa", "Aesa.Zoe@e.com"},
        {"Li 李, Παπαδόπουλος", "Papadopoulos.Li@e.com"},  // no Latin form: dropped
        {"Иванов, Иван", "Ivan.Ivanov@e.com"},
        {"ЩЕРБАКОВ, Юлия Ёжикова", "Iuliia Ezhikova.SHCHERBAKOV@e.com"},
        {"Коваленко, Віталій Андрійович", "Vitalii Andriiovych.Kovalenko@e.com"},  // Ukrainian: и
        {"Лукашэнка, Аляксандр Рыгоравіч", "Aliaksandr Ryhoravich.Lukashenka@e.com"},  // Belarusian: г
        {"Ђоковић, Новак", "Novak.Dokovic@e.com"},
        {"Ευαγγέλου, Ευθύμιος", "Efthymios.Evangelou@e.com"},
        {"ΘΕΟΔΩΡΟΥ, Χρυσάνθη", "Chrysanthi.THEODOROU@e.com"},
        {"Μπακογιάννη, Αϋλία Ψ", "Aylia Ps.Mpakogianni@e.com"},
        {"Solo", "Solo@e.com"},
        {"李, 明", ""},  // nothing to write: the user is asked
        {"Doe,", ""},
    };
    for (const TextCase& c : cases) EXPECT_EQ(ComposeAddress(c.input, "@e.com"), c.expected) << c.input;
    EXPECT_EQ(ComposeAddress("Doe, John", ""), "John.Doe");
}

// ---- The link ----------------------------------------------------------------

struct LinkCase {
    std::string key;
    std::string mailto;
    std::string link;
};

TEST(BuildContactLink, PrefixFromTheFirstCompanyOfTheDomain) {
    gDomains = {{"default", "Microsoft", "@microsoft.com"},
                {"Y!", "Yahoo!", "@yahoo.com"},
                {"YF", "Yahoo again", "@yahoo.com"},
                {"Default", "Other", "@other.com"},
                {"AT&T", "AT&T", "@att.com"}};
    const LinkCase cases[] = {
        {"Abc, Xyz", "mailto:Xyz.Abc@yahoo.com",
         "<a href='mailto:Xyz.Abc@yahoo.com'>@Y!\\Abc, Xyz</a>"},
        {"Abc, Xyz", "mailto:Xyz.Abc@microsoft.com",
         "<a href='mailto:Xyz.Abc@microsoft.com'>@Abc, Xyz</a>"},
        {"Abc, Xyz", "mailto:Xyz.Abc@nowhere.org", "<a href='mailto:Xyz.Abc@nowhere.org'>@Abc, Xyz</a>"},
        {"Abc, Xyz", "mailto:Xyz.Abc@Yahoo.com", "<a href='mailto:Xyz.Abc@Yahoo.com'>@Abc, Xyz</a>"},
        {"Abc, Xyz", "mailto:Xyz.Abc@yahoo.com.au",
         "<a href='mailto:Xyz.Abc@yahoo.com.au'>@Abc, Xyz</a>"},
        {"Abc, Xyz", "mailto:Xyz.Abc@other.com", "<a href='mailto:Xyz.Abc@other.com'>@Default\\Abc, Xyz</a>"},
        {"Abc, Xyz", "mailto:nobody", "<a href='mailto:nobody'>@Abc, Xyz</a>"},
        {"Abc, Xyz,,", "mailto:x@nowhere.org", "<a href='mailto:x@nowhere.org'>@Abc, Xyz</a>"},
        {" Abc, Xyz , ,", "mailto:x@nowhere.org", "<a href='mailto:x@nowhere.org'>@Abc, Xyz ,</a>"},
        {"Z\xC3\xA9lie, Ana", "mailto:Ana.Zelie@yahoo.com",
         "<a href='mailto:Ana.Zelie@yahoo.com'>@Y!\\Z\xC3\xA9lie, Ana</a>"},
        {"O'Brien, \"Pat\"", "mailto:Pat.OBrien@nowhere.org",
         "<a href='mailto:Pat.OBrien@nowhere.org'>@O'Brien, \"Pat\"</a>"},
        // Markup characters come out as text.
        {"Tom & Jerry, <b>", "mailto:t@nowhere.org",
         "<a href='mailto:t@nowhere.org'>@Tom &amp; Jerry, &lt;b&gt;</a>"},
        {"Abc, Xyz", "mailto:o'b&<x>@nowhere.org",
         "<a href='mailto:o&#39;b&amp;&lt;x&gt;@nowhere.org'>@Abc, Xyz</a>"},
        {"Abc, Xyz", "mailto:x@att.com", "<a href='mailto:x@att.com'>@AT&amp;T\\Abc, Xyz</a>"},
    };
    for (const LinkCase& c : cases) EXPECT_EQ(BuildContactLink(c.key, c.mailto), c.link) << c.mailto;
}

TEST(IsStorableDisplayKey, RefusesWhatCannotBeAKey) {
    const std::pair<std::string, bool> cases[] = {
        {"Doe, John", true},
        {"Z\xE9lie, \xC7\xE0 O'Neil-2", true},
        {"\x80\xFF, \xA0", true},
        {"Doe=, John", false},
        {"[Doe], John", false},
        {"Doe [, John", false},
        {"Doe ], John", false},
        {"Doe,\tJohn", false},
        {"Doe,\r\nJohn", false},
        {"Doe, John\x7F", false},
        {std::string("Doe, \0John", 10), false},
    };
    for (const auto& [typed, storable] : cases) EXPECT_EQ(IsStorableDisplayKey(typed), storable) << typed;
}

}  // namespace
