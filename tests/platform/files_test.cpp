// Files the tests place, read-only files and folders, resources and the
// module path.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/sim/sim.h"

namespace {

TEST(Files, PlacedFilesAndTheirFolders) {
    sim::Reset();
    sim::SetFile("C:\\Data\\Sub\\a.txt", "abc");
    EXPECT_TRUE(platform::PathExists("c:/data/sub/A.TXT"));
    EXPECT_TRUE(platform::PathExists("C:\\Data\\Sub\\"));
    EXPECT_TRUE(platform::PathExists("C:\\Data"));
    EXPECT_TRUE(platform::PathExists("C:\\"));
    EXPECT_FALSE(platform::PathExists("C:\\Dat"));
    EXPECT_TRUE(platform::WriteNewFile("C:\\Data\\b.txt", "b"));
    std::string bytes;
    EXPECT_TRUE(sim::GetFile("C:\\DATA\\B.TXT", bytes));
    EXPECT_EQ(bytes, "b");
}

TEST(Files, ReadOnlyFilesAndFolders) {
    sim::Reset();
    sim::SetFile("C:\\Data\\locked.txt", "old");
    sim::SetReadOnly("C:\\Data\\locked.txt");
    EXPECT_FALSE(platform::WriteNewFile("C:\\Data\\locked.txt", "new"));
    EXPECT_FALSE(platform::DeleteFileW("C:\\Data\\locked.txt"));
    std::string bytes;
    EXPECT_TRUE(platform::ReadWholeFile("C:\\Data\\locked.txt", bytes));
    EXPECT_EQ(bytes, "old");
    EXPECT_TRUE(platform::WriteNewFile("C:\\Data\\free.txt", "x"));

    sim::AddFolder("C:\\Closed");
    sim::SetReadOnly("C:\\Closed\\");
    EXPECT_FALSE(platform::WriteNewFile("C:\\Closed\\new.txt", "x"));
    EXPECT_FALSE(platform::PathExists("C:\\Closed\\new.txt"));
}

TEST(Files, AFolderIsNotAFile) {
    sim::Reset();
    sim::AddFolder("C:\\Vantor\\Vantor.ini");
    EXPECT_FALSE(platform::WriteNewFile("C:\\Vantor\\Vantor.ini", "x"));
    std::string bytes;
    EXPECT_FALSE(platform::ReadWholeFile("C:\\Vantor\\Vantor.ini", bytes));
    EXPECT_FALSE(platform::DeleteFileW("C:\\Vantor\\Vantor.ini"));
    EXPECT_TRUE(platform::PathExists("C:\\Vantor\\Vantor.ini"));
}

TEST(Files, ModulePathAndResources) {
    sim::Reset();
    sim::SetModuleFileName("D:\\Tools\\Copy.exe");
    EXPECT_EQ(platform::GetModuleFileNameW(), "D:\\Tools\\Copy.exe");
    EXPECT_TRUE(platform::PathExists("D:\\Tools"));
    sim::SetModuleFileName("C:\\" + std::string(300, 'x') + ".exe");
    EXPECT_EQ(platform::GetModuleFileNameW().size(), 259u);
    sim::SetRcData(10, std::string("a\0b", 3));
    EXPECT_EQ(platform::LoadRcData(10), std::string("a\0b", 3));
    EXPECT_EQ(platform::LoadRcData(4), "");
}

TEST(Files, DefaultConfigurationIsResourceTen) {
    sim::Reset();
    std::string bytes = platform::LoadRcData(10);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(0, 15), "[date_picker]\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

}  // namespace
