// The profile functions as both the simulation and the real system answer.
// Written files are compared byte for byte only where no blank line or
// spacing would be rebuilt, since Windows edits in place and Wine rewrites.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"
#include "tests/support/contract.h"

namespace {

struct ReadCase {
    const char* what;
    std::string file;  // empty: no file at all
    const char* section;
    const char* key;
    const char* fallback;
    unsigned size;
    std::string expected;
    // Where Wine reads otherwise than Windows (and the simulation): it
    // honours marks that Windows does not, and sets case aside for ASCII
    // letters only (seen with Wine 8).
    std::string underWine = "as on Windows";
};

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) bytes += bigEndian ? std::string{char(u >> 8), char(u)} : std::string{char(u), char(u >> 8)};
    return bytes;
}

std::vector<ReadCase> ReadCases() {
    std::string longValue(300, 'x');
    return {
        {"names in any case", "[Dates]\r\nOutput=abc\r\n", "dATES", "oUTPUT", "d", 260, "abc"},
        {"blanks around key and value", "[s]\r\n   k   =   a b c   \r\n", "s", "k", "d", 260, "a b c"},
        {"blanks around a header", "  [s]  \r\nk=v\r\n", "s", "k", "d", 260, "v"},
        {"lines ended by LF alone", "[s]\nk=v\nn=w\n", "s", "n", "d", 260, "w"},
        {"double quotes stripped", "[s]\r\nk=\"quoted  \"\r\n", "s", "k", "d", 260, "quoted  "},
        {"single quotes stripped", "[s]\r\nk='single'\r\n", "s", "k", "d", 260, "single"},
        {"unmatched quote kept", "[s]\r\nk=\"half\r\n", "s", "k", "d", 260, "\"half"},
        {"cut to 259 bytes", "[s]\r\nk=" + longValue + "\r\n", "s", "k", "d", 260, longValue.substr(0, 259)},
        {"cut to the buffer", "[s]\r\nk=val1\r\n", "s", "k", "d", 4, "val"},
        {"empty value is not missing", "[s]\r\nk=\r\n", "s", "k", "d", 260, ""},
        {"missing key", "[s]\r\nk=v\r\n", "s", "other", "dflt", 260, "dflt"},
        {"missing section", "[s]\r\nk=v\r\n", "t", "k", "dflt", 260, "dflt"},
        {"missing file", "", "s", "k", "dflt", 260, "dflt"},
        {"default loses trailing blanks", "[s]\r\n", "s", "k", "one two  ", 260, "one two"},
        {"first of duplicate keys", "[s]\r\nk=first\r\nK=second\r\n", "s", "k", "d", 260, "first"},
        {"key without equals sign", "[s]\r\nlonely\r\nk=v\r\n", "s", "lonely", "dflt", 260, "dflt"},
        {"key of another section", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "y", "dflt", 260, "dflt"},
        {"value with an equals sign", "[s]\r\nk=a=b\r\n", "s", "k", "d", 260, "a=b"},
        {"FF FE file", Utf16(u"[s]\r\nk=\u00E9\r\n", false), "s", "k", "d", 260, "\xC3\xA9"},
        {"UTF-8 mark glued to the first header", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "d", 260, "d", "v"},
        {"UTF-8 mark, second section", "\xEF\xBB\xBF[a]\r\nx=1\r\n[s]\r\nk=\xC3\xA9\r\n", "s", "k", "d", 260,
         "\xC3\xA9"},
        {"FE FF file", Utf16(u"[s]\r\nk=v\r\n", true), "s", "k", "d", 260, "d", "v"},
        {"Unicode names in any case", Utf16(u"[\u0394]\r\n\u0416=v\r\n", false), "\xCE\xB4", "\xD0\xB6", "d", 260, "v", "d"},
        // In a file without the FF FE mark UTF-8 names whose bytes differ only
        // in the case of a Windows-1252 letter (Ž/ž, Œ/œ, Š/š) are one name:
        // 李 and 杞, MÌLLER and MÜLLER, Ê and Ú, К and Њ.
        {"李 for 杞", "[s]\r\n\xE6\x9D\x8E=held\r\n", "s", "\xE6\x9D\x9E", "d", 260, "held", "d"},
        {"MÌLLER for MÜLLER", "[s]\r\nM\xC3\x8CLLER=held\r\n", "s", "M\xC3\x9CLLER", "d", 260, "held", "d"},
        {"Ê for Ú", "[s]\r\n\xC3\x8A=held\r\n", "s", "\xC3\x9A", "d", 260, "held", "d"},
        {"К for Њ", "[s]\r\n\xD0\x9A=held\r\n", "s", "\xD0\x8A", "d", 260, "held", "d"},
        {"李 and 杞 in a Unicode file", Utf16(u"[s]\r\n\u674E=held\r\n", false), "s",
         "\xE6\x9D\x9E", "d", 260, "d"},
    };
}

TEST(ProfileContract, ReadsAsTheProfileFunctionsDo) {
    ResetPlatform();
    std::string folder = FreshFolder();
    int n = 0;
    for (const ReadCase& c : ReadCases()) {
        // A new file name per case, so no cached copy of an earlier file is seen.
        std::string path = folder + "read" + std::to_string(++n) + ".ini";
        if (!c.file.empty()) {
            ASSERT_TRUE(platform::WriteNewFile(path, c.file)) << c.what;
        }
        const bool wine = RunningUnderWine() && c.underWine != "as on Windows";
        EXPECT_EQ(platform::GetPrivateProfileStringW(c.section, c.key, c.fallback, c.size, path),
                  wine ? c.underWine : c.expected)
            << c.what << " " << c.key;
    }
}

struct WriteCase {
    const char* what;
    std::string before;  // empty: no file yet
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

TEST(ProfileContract, WritesAsTheProfileFunctionsDo) {
    ResetPlatform();
    std::string folder = FreshFolder();
    const WriteCase cases[] = {
        {"new file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"new section at the end", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        {"new key at the end of its section", "[s]\r\na=1\r\n[t]\r\nb=2\r\n", "s", "c", "3",
         "[s]\r\na=1\r\nc=3\r\n[t]\r\nb=2\r\n"},
        {"first of duplicate keys replaced", "[s]\r\nk=old\r\nk=dup\r\n", "s", "k", "new",
         "[s]\r\nk=new\r\nk=dup\r\n"},
        {"names matched in any case", "[Sec]\r\nKey=1\r\n", "sec", "KEY", "2", "[Sec]\r\nKey=2\r\n"},
        {"empty value", "", "s", "k", "", "[s]\r\nk=\r\n"},
        // Wine writes no header for a section without a name, so the line
        // after it can become the first of the file. (Windows keeps "[]".)
        {"nameless section loses its header", "[]\r\nk=v\r\n[s]\r\na=1\r\n", "s", "b", "2",
         "k=v\r\n[s]\r\na=1\r\nb=2\r\n"},
    };
    int n = 0;
    for (const WriteCase& c : cases) {
        std::string path = folder + "write" + std::to_string(++n) + ".ini";
        if (!c.before.empty()) {
            ASSERT_TRUE(platform::WriteNewFile(path, c.before)) << c.what;
        }
        EXPECT_TRUE(platform::WritePrivateProfileStringW(c.section, c.key, c.value, path)) << c.what;
        std::string after;
        EXPECT_TRUE(platform::ReadWholeFile(path, after)) << c.what;
        EXPECT_EQ(after, c.after) << c.what;
        EXPECT_EQ(platform::GetPrivateProfileStringW(c.section, c.key, "none", 260, path), c.value)
            << c.what;
    }
}

TEST(ProfileContract, WrittenValueLosesItsBlanksWhenReadBack) {
    ResetPlatform();
    std::string path = FreshFolder() + "blanks.ini";
    ASSERT_TRUE(platform::WritePrivateProfileStringW("s", "k", "  v  ", path));
    EXPECT_EQ(platform::GetPrivateProfileStringW("s", "k", "none", 260, path), "v");
}

TEST(ProfileContract, WritesKeepOtherEntries) {
    ResetPlatform();
    std::string path = FreshFolder() + "keep.ini";
    ASSERT_TRUE(platform::WriteNewFile(path, "[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n"));
    ASSERT_TRUE(platform::WritePrivateProfileStringW("a", "x", "one", path));
    ASSERT_TRUE(platform::WritePrivateProfileStringW("c", "w", "four", path));
    const char* expected[][3] = {{"a", "x", "one"}, {"a", "y", "2"}, {"b", "z", "3"}, {"c", "w", "four"}};
    for (auto& entry : expected)
        EXPECT_EQ(platform::GetPrivateProfileStringW(entry[0], entry[1], "none", 260, path), entry[2])
            << entry[0] << "/" << entry[1];
}

TEST(ProfileContract, FolderReadsAsMissingAndCannotBeWritten) {
    ResetPlatform();
    std::string folder = FreshFolder();
    std::string asFile = folder.substr(0, folder.size() - 1);
    EXPECT_EQ(platform::GetPrivateProfileStringW("s", "k", "dflt", 260, asFile), "dflt");
    EXPECT_FALSE(platform::WritePrivateProfileStringW("s", "k", "v", asFile));
    EXPECT_TRUE(platform::PathExists(asFile));
}

}  // namespace
