// New contacts and companies written by the profile functions into a real
// INI file must read back through the contact book's own section reader.
#include <gtest/gtest.h>

#include "features/contacts/contact_store.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "tests/support/contact_lists.h"
#include "tests/support/contract.h"
#include "text/encoding.h"

namespace {

std::string SeededFile(const std::string& bytes) {
    ResetPlatform();
    std::string path = FreshFolder() + "contacts.ini";
    EXPECT_TRUE(platform::WriteNewFile(path, bytes));
    return path;
}

// Notepad's "Unicode": the mark, then UTF-16 little-endian; or big-endian.
std::string Utf16(const std::u16string& text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(bigEndian ? unit >> 8 : unit & 0xFF);
        bytes += static_cast<char>(bigEndian ? unit & 0xFF : unit >> 8);
    }
    return bytes;
}

struct ContactWrite {
    const char* name;
    std::string file;
    std::string key;
    std::string address;
    std::string contactsAfter;  // as ContactsOf gives them
    // A company added after the contact, when there is an acronym.
    std::string acronym{}, companyName{}, extension{};
    std::string domainsAfter{};  // as DomainsOf gives them
    // The line that holds the contact's key, which is then not written.
    std::string holder{};
};

const char kZelieLukasz[] = "Z\xC3\xA9lie, \xC5\x81ukasz";
const char kSocieteDelta[] = "Soci\xC3\xA9t\xC3\xA9 \xCE\x94";

const ContactWrite kContactWrites[] = {
    {"AppendedToItsSection",
     "[contact_book]\r\nDoe, John=mailto:John.Doe@yahoo.com\r\n[domains]\r\nG=Google@gmail.com\r\n",
     "Roe, Ann", "Ann.Roe@gmail.com",
     "Doe, John=mailto:John.Doe@yahoo.com;Roe, Ann=mailto:Ann.Roe@gmail.com;"},
    {"SectionCreatedWhenMissing", "[domains]\r\nG=Google@gmail.com\r\n", "Roe, Ann",
     "Ann.Roe@gmail.com", "Roe, Ann=mailto:Ann.Roe@gmail.com;"},
    {"FoundUnderHeaderOfOtherCase",
     "  [Contact_Book]  \r\nDoe, John=mailto:j@x.com\r\n[domains]\r\nG=Google@gmail.com\r\n",
     "Roe, Ann", "Ann.Roe@gmail.com", "Doe, John=mailto:j@x.com;Roe, Ann=mailto:Ann.Roe@gmail.com;"},
    {"KeyOfOtherCaseIsHeld",
     "[contact_book]\r\nDoe, John=mailto:old@x.com\r\nRoe, Ann=mailto:a@x.com\r\n", "doe, john",
     "John.Doe@y.com", "Doe, John=mailto:old@x.com;Roe, Ann=mailto:a@x.com;", "", "", "", "", "Doe, John"},
    {"LineWithoutEqualsHoldsTheKey", "[contact_book]\r\nDoe, John\r\n", "Doe, John", "John.Doe@y.com", "", "",
     "", "", "", "Doe, John"},
    // Written into the plain file, 杞 would replace 李: the file is made
    // Unicode first, where the two are different names.
    {"CollidingNameKeptBeside", "[contact_book]\r\n\xE6\x9D\x8E, \xE6\x98\x8E=mailto:li@x.com\r\n",
     "\xE6\x9D\x9E, \xE6\x98\x8E", "qi@x.com",
     "\xE6\x9D\x8E, \xE6\x98\x8E=mailto:li@x.com;\xE6\x9D\x9E, \xE6\x98\x8E=mailto:qi@x.com;"},
    {"Utf16BigEndianMadeUnicode", Utf16(u"[contact_book]\r\nDoe, John=mailto:j@x.com\r\n", true), "Roe, Ann",
     "Ann.Roe@x.com", "Doe, John=mailto:j@x.com;Roe, Ann=mailto:Ann.Roe@x.com;"},
    {"Utf8KeyKeptByteForByte", "[contact_book]\r\nDoe, John=mailto:j@x.com\r\n",
     "Z\xC3\xA9lie, \xC3\x89mile", "Emile.Zelie@x.com",
     "Doe, John=mailto:j@x.com;Z\xC3\xA9lie, \xC3\x89mile=mailto:Emile.Zelie@x.com;"},
    // Files the profile functions keep in Unicode get the letters as typed,
    // not their UTF-8 bytes taken for ANSI ones.
    {"Utf16FileKeepsTheLetters", Utf16(u"[contact_book]\r\nDoe, John=mailto:j@x.com\r\n"),
     kZelieLukasz, "Lukasz.Zelie@x.com",
     "Doe, John=mailto:j@x.com;" + std::string(kZelieLukasz) + "=mailto:Lukasz.Zelie@x.com;", "SD",
     kSocieteDelta, "@societe.example", "SD=" + std::string(kSocieteDelta) + "|@societe.example;"},
    {"Utf8MarkedFileKeepsTheLetters", "\xEF\xBB\xBF[contact_book]\r\nDoe, John=mailto:j@x.com\r\n",
     kZelieLukasz, "Lukasz.Zelie@x.com",
     "Doe, John=mailto:j@x.com;" + std::string(kZelieLukasz) + "=mailto:Lukasz.Zelie@x.com;", "SD",
     kSocieteDelta, "@societe.example", "SD=" + std::string(kSocieteDelta) + "|@societe.example;"},
    // A name handed over in Windows-1252 is stored as UTF-8 all the same.
    {"Windows1252TextsStoredAsUtf8", Utf16(u"[domains]\r\nG=Google@gmail.com\r\n"), "Z\xE9lie, Ana",
     "Ana.Zelie@x.com", "Z\xC3\xA9lie, Ana=mailto:Ana.Zelie@x.com;", "SE", "Soci\xE9t\xE9",
     "@societe.example", "G=Google|@gmail.com;SE=Soci\xC3\xA9t\xC3\xA9|@societe.example;"},
};

// A failing case is named, not dumped as bytes.
void PrintTo(const ContactWrite& c, std::ostream* out) { *out << c.name; }

class ContactWriteTest : public testing::TestWithParam<ContactWrite> {};

TEST_P(ContactWriteTest, ReadsBack) {
    const ContactWrite& c = GetParam();
    std::string path = SeededFile(c.file);
    const StoreResult stored = AddContactTo(path, c.key, c.address);
    EXPECT_EQ(stored.outcome, c.holder.empty() ? StoreOutcome::Written : StoreOutcome::KeyTaken);
    EXPECT_EQ(stored.holder, c.holder);
    if (!c.acronym.empty()) {
        EXPECT_EQ(AddDomainEntryTo(path, c.acronym, c.companyName, c.extension).outcome, StoreOutcome::Written);
    }
    if (c.holder.empty()) {
        EXPECT_EQ(platform::GetPrivateProfileStringW("contact_book", FileTextToUtf8(c.key), "", 1024, path),
                  "mailto:" + c.address);
    }
    LoadContactBookFrom(path);
    EXPECT_EQ(ContactsOf(gContacts), c.contactsAfter);
    if (!c.acronym.empty()) {
        EXPECT_EQ(DomainsOf(gDomains), c.domainsAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ContactWriteTest, testing::ValuesIn(kContactWrites),
                         [](const auto& info) { return std::string(info.param.name); });

// The company is listed for the contact being made; the file keeps the
// line of the acronym it holds.
TEST(ContactStoreContract, DuplicateAcronymListedButNotWritten) {
    std::string path = SeededFile(
        "[domains]\r\ndefault=Microsoft@microsoft.com\r\nY!=Yahoo!@yahoo.com\r\n"
        "[contact_book]\r\nDoe, John=mailto:John.Doe@yahoo.com\r\n");
    LoadContactBookFrom(path);
    EXPECT_EQ(AddDomainEntryTo(path, "y!", "Yahoo France", "@yahoo.fr"), (StoreResult{StoreOutcome::KeyTaken, "Y!"}));
    EXPECT_EQ(DomainsOf(gDomains),
              "default=Microsoft|@microsoft.com;Y!=Yahoo!|@yahoo.com;y!=Yahoo France|@yahoo.fr;");
    LoadContactBookFrom(path);
    EXPECT_EQ(DomainsOf(gDomains), "default=Microsoft|@microsoft.com;Y!=Yahoo!|@yahoo.com;");
    EXPECT_EQ(ContactsOf(gContacts), "Doe, John=mailto:John.Doe@yahoo.com;");
}

TEST(ContactStoreContract, FirstCompanyReplacesTheBuiltInOne) {
    std::string path = SeededFile("[contact_book]\r\nDoe, John=mailto:j@x.com\r\n");
    LoadContactBookFrom(path);
    EXPECT_EQ(DomainsOf(gDomains), "default=Microsoft|@microsoft.com;");
    EXPECT_EQ(AddDomainEntryTo(path, "AMZ", "Amazon", "@amazon.com").outcome, StoreOutcome::Written);
    LoadContactBookFrom(path);
    EXPECT_EQ(DomainsOf(gDomains), "AMZ=Amazon|@amazon.com;");
    EXPECT_EQ(ContactsOf(gContacts), "Doe, John=mailto:j@x.com;");
}

TEST(ContactStoreContract, CompanyWithSpacesAndContactWithIt) {
    std::string path = SeededFile("[domains]\r\nG=Google@gmail.com\r\n");
    LoadContactBookFrom(path);
    ASSERT_EQ(AddDomainEntryTo(path, "Y!", "Yahoo France", "@yahoo.fr").outcome, StoreOutcome::Written);
    size_t position = gDomains.size();
    ASSERT_EQ(position, 2u);
    std::string address = ComposeAddress("Doe, Max", gDomains[position - 1].emailExtension);
    EXPECT_EQ(AddContactTo(path, "Doe, Max", address).outcome, StoreOutcome::Written);
    LoadContactBookFrom(path);
    EXPECT_EQ(DomainsOf(gDomains), "G=Google|@gmail.com;Y!=Yahoo France|@yahoo.fr;");
    ASSERT_EQ(gContacts.size(), 1u);
    EXPECT_EQ(BuildContactLink(gContacts[0].displayKey, gContacts[0].mailtoValue),
              "<a href='mailto:Max.Doe@yahoo.fr'>@Y!\\Doe, Max</a>");
}

TEST(ContactStoreContract, UnreadableFileGivesBuiltInCompany) {
    ResetPlatform();
    LoadContactBookFrom(FreshFolder() + "missing.ini");
    EXPECT_EQ(DomainsOf(gDomains), "default=Microsoft|@microsoft.com;");
    EXPECT_TRUE(gContacts.empty());
}

}  // namespace
