// The simulated profile functions' own rules: the whole-file rewrite, byte
// order marks, read-only files and folders, and the finer reading rules.
#include <gtest/gtest.h>

#include "platform/profile.h"
#include "platform/sim/sim.h"

namespace {

const char* kPath = "C:\\Vantor\\Vantor.ini";

std::string Read(const char* section, const char* key, unsigned size = 260) {
    return platform::GetPrivateProfileStringW(section, key, "dflt", size, kPath);
}

std::string FileBytes() {
    std::string bytes;
    EXPECT_TRUE(sim::GetFile(kPath, bytes));
    return bytes;
}

TEST(Profile, ReadingRules) {
    struct {
        const char* what;
        std::string file;
        const char* section;
        const char* key;
        unsigned size;
        std::string expected;
    } cases[] = {
        {"asked names are trimmed", "[s]\r\nk=v\r\n", "  s ", " k  ", 260, "v"},
        {"header name trimmed", "[  s  ]\r\nk=v\r\n", "s", "k", 260, "v"},
        {"last bracket closes the header", "[a]b]\r\nk=v\r\n", "a]b", "k", 260, "v"},
        {"bracket without closing is a key", "[s]\r\n[k=v\r\n", "s", "[k", 260, "v"},
        {"first duplicate section wins", "[s]\r\na=1\r\n[S]\r\nb=2\r\n", "s", "b", 260, "dflt"},
        {"CR alone ends lines", "[s]\rk=v\rn=w\r", "s", "n", 260, "w"},
        {"quote kept when the buffer cuts it", "[s]\r\nk=\"abcdef\"\r\n", "s", "k", 4, "abc"},
        {"a lone quote is kept", "[s]\r\nk=\"\r\n", "s", "k", 260, "\""},
        {"keys before any header are unreachable", "k=v\r\n[s]\r\n", "", "k", 260, "dflt"},
        {"no key name gives the default", "[s]\r\n=v\r\n", "s", "", 260, "dflt"},
        {"one byte of room gives nothing", "[s]\r\nk=v\r\n", "s", "k", 1, ""},
        {"no room at all", "[s]\r\nk=v\r\n", "s", "k", 0, ""},
    };
    for (const auto& c : cases) {
        sim::Reset();
        sim::SetFile(kPath, c.file);
        EXPECT_EQ(Read(c.section, c.key, c.size), c.expected) << c.what;
    }
}

TEST(Profile, WriteRewritesTheWholeFile) {
    sim::Reset();
    sim::SetFile(kPath, "\r\n; note\r\n[ a ]\r\n  x  =  1  \r\n\r\n\r\n[b]\r\ny=2");
    ASSERT_TRUE(platform::WritePrivateProfileStringW("b", "z", "3", kPath));
    EXPECT_EQ(FileBytes(), "; note\r\n[a]\r\nx=1\r\n[b]\r\ny=2\r\nz=3\r\n");
}

TEST(Profile, UnchangedValueLeavesTheFileAlone) {
    sim::Reset();
    std::string original = "[s]\r\n\r\nk=v\r\n";
    sim::SetFile(kPath, original);
    ASSERT_TRUE(platform::WritePrivateProfileStringW("s", "k", "   v", kPath));
    EXPECT_EQ(FileBytes(), original);
}

TEST(Profile, WrittenNamesAreTrimmed) {
    sim::Reset();
    ASSERT_TRUE(platform::WritePrivateProfileStringW(" contact_book ", " Doe, John ", "mailto:x", kPath));
    EXPECT_EQ(FileBytes(), "[contact_book]\r\nDoe, John=mailto:x\r\n");
}

// Only FF FE makes a file Unicode, speaking UTF-8 to the program and
// storing "ÉŁ" in UTF-16. The UTF-8 mark and FE FF are letters of the first
// line, as Windows reads them: the first section is not seen, and the new
// one, added at the end, holds the value's own bytes.
TEST(Profile, ByteOrderMarks) {
    struct {
        const char* what;
        std::string before;
        std::string firstKey;
        std::string after;
    } cases[] = {
        {"UTF-16LE", std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0t\0\xE9\0\r\0\n\0", 26),
         "\xC3\xA9t\xC3\xA9",
         std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0t\0\xE9\0\r\0\n\0n\0=\0\xC9\0\x41\x01\r\0\n\0", 38)},
        {"UTF-8", "\xEF\xBB\xBF[s]\r\nk=\xC3\xA9t\xC3\xA9\r\n", "dflt",
         "\xEF\xBB\xBF[s]\r\nk=\xC3\xA9t\xC3\xA9\r\n[s]\r\nn=\xC3\x89\xC5\x81\r\n"},
        {"UTF-16BE", std::string("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0\xE9\0t\0\xE9\0\r\0\n", 26), "dflt", ""},
    };
    for (const auto& c : cases) {
        sim::Reset();
        sim::SetFile(kPath, c.before);
        EXPECT_EQ(Read("s", "k"), c.firstKey) << c.what;
        ASSERT_TRUE(platform::WritePrivateProfileStringW("s", "n", "\xC3\x89\xC5\x81", kPath)) << c.what;
        if (!c.after.empty()) {
            EXPECT_EQ(FileBytes(), c.after) << c.what;
        }
        EXPECT_EQ(Read("s", "n"), "\xC3\x89\xC5\x81") << c.what;
    }
}

TEST(Profile, UnicodeFileCharactersOutsideAnsiComeBackWhole) {
    sim::Reset();
    sim::SetFile(kPath, std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0a\0\x2D\x4E" "b\0\r\0\n\0", 26));
    EXPECT_EQ(Read("s", "k"), "a\xE4\xB8\xAD" "b");
}

// Windows-1252 and UTF-8 bytes alike, as written.
TEST(Profile, AnsiFileKeepsItsBytes) {
    sim::Reset();
    ASSERT_TRUE(platform::WritePrivateProfileStringW("s", "k", "\xC9t\xE9 \x80 \xC5\x81", kPath));
    EXPECT_EQ(FileBytes(), "[s]\r\nk=\xC9t\xE9 \x80 \xC5\x81\r\n");
    EXPECT_EQ(Read("s", "k"), "\xC9t\xE9 \x80 \xC5\x81");
}

TEST(Profile, ReadOnlyFileOrFolderRefusesWrites) {
    for (const char* readOnly : {"C:\\Vantor\\Vantor.ini", "C:\\Vantor"}) {
        sim::Reset();
        sim::SetFile(kPath, "[s]\r\n\r\nk=v\r\n");
        sim::SetReadOnly(readOnly);
        EXPECT_FALSE(platform::WritePrivateProfileStringW("s", "k", "new", kPath)) << readOnly;
        EXPECT_EQ(FileBytes(), "[s]\r\n\r\nk=v\r\n") << readOnly;
        EXPECT_EQ(Read("s", "k"), "v") << readOnly;
    }
}

TEST(Profile, NoFileIsCreatedInAMissingOrReadOnlyFolder) {
    sim::Reset();
    EXPECT_FALSE(platform::WritePrivateProfileStringW("s", "k", "v", "C:\\Missing\\x.ini"));
    sim::AddFolder("C:\\Locked");
    sim::SetReadOnly("C:\\Locked");
    EXPECT_FALSE(platform::WritePrivateProfileStringW("s", "k", "v", "C:\\Locked\\x.ini"));
    std::string bytes;
    EXPECT_FALSE(sim::GetFile("C:\\Missing\\x.ini", bytes));
    EXPECT_FALSE(sim::GetFile("C:\\Locked\\x.ini", bytes));
}

TEST(Profile, FolderKeepsTheDefaultAsGiven) {
    sim::Reset();
    sim::AddFolder(kPath);
    EXPECT_EQ(platform::GetPrivateProfileStringW("s", "k", "'quoted'  ", 260, kPath), "'quoted'");
    EXPECT_FALSE(platform::WritePrivateProfileStringW("s", "k", "v", kPath));
}

TEST(Profile, BareFileNameLivesInTheWindowsFolder) {
    sim::Reset();
    sim::SetFile("C:\\Windows\\win.ini", "[s]\r\nk=v\r\n");
    EXPECT_EQ(platform::GetPrivateProfileStringW("s", "k", "dflt", 260, "win.ini"), "v");
}

}  // namespace
