// Files and folders as both platforms answer them.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "tests/support/contract.h"

namespace {

TEST(FilesContract, WriteReadDelete) {
    ResetPlatform();
    std::string folder = FreshFolder();
    struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"text.ini", "[s]\r\nk=v\r\n"},
        {"binary.bin", std::string("a\0\r\n\xFF\x80z", 7)},
        {"empty.txt", ""},
    };
    for (const auto& c : cases) {
        std::string path = folder + c.name;
        EXPECT_FALSE(platform::PathExists(path)) << c.name;
        ASSERT_TRUE(platform::WriteNewFile(path, c.bytes)) << c.name;
        EXPECT_TRUE(platform::PathExists(path)) << c.name;
        std::string read = "stale";
        EXPECT_TRUE(platform::ReadWholeFile(path, read)) << c.name;
        EXPECT_EQ(read, c.bytes) << c.name;
        EXPECT_TRUE(platform::DeleteFileW(path)) << c.name;
        EXPECT_FALSE(platform::PathExists(path)) << c.name;
        EXPECT_FALSE(platform::ReadWholeFile(path, read)) << c.name;
        EXPECT_FALSE(platform::DeleteFileW(path)) << c.name;
    }
}

TEST(FilesContract, NamesMatchInAnyCase) {
    ResetPlatform();
    std::string folder = FreshFolder();
    ASSERT_TRUE(platform::WriteNewFile(folder + "Vantor.ini", "abc"));
    EXPECT_TRUE(platform::PathExists(folder + "VANTOR.INI"));
    std::string read;
    EXPECT_TRUE(platform::ReadWholeFile(folder + "vantor.ini", read));
    EXPECT_EQ(read, "abc");
    EXPECT_TRUE(platform::DeleteFileW(folder + "vAnToR.iNi"));
    EXPECT_FALSE(platform::PathExists(folder + "Vantor.ini"));
}

TEST(FilesContract, WriteNewFileReplacesTheWholeContent) {
    ResetPlatform();
    std::string path = FreshFolder() + "twice.txt";
    ASSERT_TRUE(platform::WriteNewFile(path, "a much longer first content"));
    ASSERT_TRUE(platform::WriteNewFile(path, "x"));
    std::string read;
    EXPECT_TRUE(platform::ReadWholeFile(path, read));
    EXPECT_EQ(read, "x");
}

TEST(FilesContract, FoldersCountAsExisting) {
    ResetPlatform();
    std::string folder = FreshFolder();
    EXPECT_TRUE(platform::PathExists(folder));
    EXPECT_TRUE(platform::PathExists(folder.substr(0, folder.size() - 1)));
    EXPECT_FALSE(platform::PathExists(folder + "missing"));
    std::string read;
    EXPECT_FALSE(platform::ReadWholeFile(folder + "missing", read));
    EXPECT_FALSE(platform::DeleteFileW(folder.substr(0, folder.size() - 1)));
    EXPECT_TRUE(platform::PathExists(folder));
}

TEST(FilesContract, NoFileInAMissingFolder) {
    ResetPlatform();
    std::string path = FreshFolder() + "no such folder\\file.txt";
    EXPECT_FALSE(platform::WriteNewFile(path, "x"));
    EXPECT_FALSE(platform::PathExists(path));
}

// Users' folders hold letters of any script ("C:\Users\Łukasz").
TEST(FilesContract, FolderNamesBeyondTheAnsiCodePage) {
    ResetPlatform();
    std::string folder = FreshFolder() + "\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\x94", path = folder + "\\V.ini", read;
    ASSERT_TRUE(MakeFolder(folder));
    ASSERT_TRUE(platform::WriteNewFile(path, "[s]\r\nk=v\r\n"));
    EXPECT_TRUE(platform::WritePrivateProfileStringW("s", "n", "w", path));
    EXPECT_EQ(platform::GetPrivateProfileStringW("s", "k", "none", 260, path), "v");
    EXPECT_TRUE(platform::ReadWholeFile(path, read));
    EXPECT_EQ(read, "[s]\r\nk=v\r\nn=w\r\n");
    EXPECT_TRUE(platform::DeleteFileW(path));
    EXPECT_FALSE(platform::PathExists(path));
}

TEST(FilesContract, ModuleFileNameIsAnExecutablePath) {
    ResetPlatform();
    std::string path = platform::GetModuleFileNameW();
    ASSERT_GT(path.size(), 4u);
    EXPECT_LE(path.size(), 260u);
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(extension, ".exe");
    EXPECT_NE(path.find('\\'), std::string::npos);
}

}  // namespace
