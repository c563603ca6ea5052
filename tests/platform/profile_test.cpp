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
        {"Unicode letters beyond ANSI", std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0a\0\x2D\x4E" "b\0", 22), "s", "k", 260,
         "a\xE4\xB8\xAD" "b"},
    };
    for (const auto& c : cases) {
        sim::Reset();
        sim::SetFile(kPath, c.file);
        EXPECT_EQ(Read(c.section, c.key, c.size), c.expected) << c.what;
    }
}

// Wine's whole rewrite, and the encodings: only FF FE makes a file Unicode,
// speaking UTF-8 to the program and storing "ÉŁ" in UTF-16; any other file,
// one with the UTF-8 mark or FE FF among them (letters of the first line, as
// Windows reads them), keeps the bytes it is given.
TEST(Profile, Writes) {
    const std::string le = std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE9\0t\0\xE9\0\r\0\n\0", 26);
    const std::string utf8 = "\xEF\xBB\xBF[s]\r\nk=\xC3\xA9t\xC3\xA9\r\n";
    const struct {
        const char* what;
        std::string before, section, key, value, after;
        const char* firstKey;  // read before the write, when given
    } cases[] = {
        {"whole rewrite", "\r\n; note\r\n[ a ]\r\n  x  =  1  \r\n\r\n\r\n[b]\r\ny=2", "b", "z", "3",
         "; note\r\n[a]\r\nx=1\r\n[b]\r\ny=2\r\nz=3\r\n", nullptr},
        {"unchanged value", "[s]\r\n\r\nk=v\r\n", "s", "k", "   v", "[s]\r\n\r\nk=v\r\n", nullptr},
        {"names trimmed", "", " contact_book ", " Doe, John ", "mailto:x", "[contact_book]\r\nDoe, John=mailto:x\r\n", nullptr},
        {"ANSI file", "", "s", "k", "\xC9t\xE9 \x80 \xC5\x81", "[s]\r\nk=\xC9t\xE9 \x80 \xC5\x81\r\n", nullptr},
        {"UTF-16LE", le, "s", "n", "\xC3\x89\xC5\x81", le + std::string("n\0=\0\xC9\0\x41\x01\r\0\n\0", 12), "\xC3\xA9t\xC3\xA9"},
        {"UTF-8 mark", utf8, "s", "n", "\xC3\x89\xC5\x81", utf8 + "[s]\r\nn=\xC3\x89\xC5\x81\r\n", "dflt"},
        {"UTF-16BE", std::string("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n", 22), "s", "n", "\xC3\x89", "", "dflt"},
    };
    for (const auto& c : cases) {
        sim::Reset();
        if (!c.before.empty()) sim::SetFile(kPath, c.before);
        if (c.firstKey) { EXPECT_EQ(Read("s", "k"), c.firstKey) << c.what; }
        ASSERT_TRUE(platform::WritePrivateProfileStringW(c.section, c.key, c.value, kPath)) << c.what;
        if (!c.after.empty()) { EXPECT_EQ(FileBytes(), c.after) << c.what; }
        EXPECT_EQ(Read(c.section.c_str(), c.key.c_str()), c.value.substr(c.value.find_first_not_of(' '))) << c.what;
    }
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
