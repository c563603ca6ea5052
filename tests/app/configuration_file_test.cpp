#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/configuration_file.h"
#include "platform/sim/sim.h"

namespace {

struct PathCase {
    std::string modulePath;
    std::string baseName;  // ANSI
    std::string folder;
    std::string configuration = folder + baseName + ".ini";  // UTF-8
};

TEST(ConfigurationFile, PathIsBesideTheExecutableAndNamedAfterIt) {
    const std::string longName(240, 'n');
    const PathCase cases[] = {
        {"C:\\Vantor\\Vantor.exe", "Vantor", "C:\\Vantor\\"},
        {"C:\\Tools\\vantor", "vantor", "C:\\Tools\\"},
        {"C:\\Tools\\my.tool.v2.exe", "my.tool.v2", "C:\\Tools\\"},
        {"C:\\my.folder\\Vantor", "Vantor", "C:\\my.folder\\"},
        {"C:\\my.folder\\Vantor.EXE", "Vantor", "C:\\my.folder\\"},
        {"D:\\Program Files\\Note Tools\\Vantor copy.exe", "Vantor copy",
         "D:\\Program Files\\Note Tools\\"},
        {"\\\\server\\share\\Vantor.exe", "Vantor", "\\\\server\\share\\"},
        {"C:\\Vantor.exe", "Vantor", "C:\\"},
        {"C:\\x\\" + longName + ".exe", longName, "C:\\x\\"},
        {"C:\\x\\" + longName + ".a.b", longName + ".a", "C:\\x\\"},
        // UTF-8 paths: "Łódź Δ", then a name with "é" and "Ł".
        {"C:\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\x94\\Vantor.exe", "Vantor",
         "C:\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\x94\\"},
        {"C:\\x\\\xC3\xA9\xC5\x81.exe", "\xE9?", "C:\\x\\", "C:\\x\\\xC3\xA9\xC5\x81.ini"},
    };
    for (const PathCase& c : cases) {
        sim::Reset();
        sim::SetModuleFileName(c.modulePath);
        EXPECT_EQ(BaseName(), c.baseName) << c.modulePath;
        EXPECT_EQ(ModuleFolder(), c.folder) << c.modulePath;
        EXPECT_EQ(ConfigurationPath(), c.configuration) << c.modulePath;
    }
}

TEST(ConfigurationFile, DefaultConfigurationIsResourceTenAsStored) {
    sim::Reset();
    const std::string odd("a\nb\0c\r\r\n\xFF", 9);
    sim::SetRcData(10, odd);
    EXPECT_EQ(DefaultConfiguration(), odd);
}

class EnsureFile : public ::testing::Test {
protected:
    const std::string path = "C:\\Vantor\\Vantor.ini";
    void SetUp() override {
        sim::Reset();
        sim::AddFolder("C:\\Vantor");
    }
    std::vector<std::string> FileCalls() {
        std::vector<std::string> names;
        for (const std::string& name : sim::CallNames())
            if (name == "WriteFile" || name == "DeleteFileW") names.push_back(name);
        return names;
    }
};

TEST_F(EnsureFile, CreatesTheDefaultBytesExactly) {
    ASSERT_FALSE(DefaultConfiguration().empty());
    EnsureConfigurationFile();
    std::string bytes;
    ASSERT_TRUE(sim::GetFile(path, bytes));
    EXPECT_EQ(bytes, DefaultConfiguration());
}

TEST_F(EnsureFile, WritesTheResourceWithNothingAddedOrConverted) {
    const std::string odd("x\ny\0z\r", 6);
    sim::SetRcData(10, odd);
    EnsureConfigurationFile();
    std::string bytes;
    ASSERT_TRUE(sim::GetFile(path, bytes));
    EXPECT_EQ(bytes, odd);
}

TEST_F(EnsureFile, NeverRewritesAnExistingFile) {
    for (const std::string& existing : {std::string(), std::string("[mine]\r\nkey=value"),
                                        std::string("\xEF\xBB\xBFjunk\0", 8)}) {
        sim::SetFile(path, existing);
        sim::ClearCalls();
        EnsureConfigurationFile();
        EnsureConfigurationFile();
        std::string bytes;
        ASSERT_TRUE(sim::GetFile(path, bytes));
        EXPECT_EQ(bytes, existing);
        EXPECT_TRUE(FileCalls().empty());
    }
}

TEST_F(EnsureFile, ASecondStartLeavesTheCreatedFileAlone) {
    EnsureConfigurationFile();
    sim::SetFile(path, "");  // the user emptied it
    sim::ClearCalls();
    EnsureConfigurationFile();
    std::string bytes;
    ASSERT_TRUE(sim::GetFile(path, bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_TRUE(FileCalls().empty());
}

TEST_F(EnsureFile, AFolderOfThatNameCountsAsExisting) {
    sim::AddFolder(path);
    sim::ClearCalls();
    EnsureConfigurationFile();
    EXPECT_TRUE(FileCalls().empty());
    std::string bytes;
    EXPECT_FALSE(sim::GetFile(path, bytes));
}

TEST_F(EnsureFile, AnUnwritableFolderLeavesNoFile) {
    sim::SetReadOnly("C:\\Vantor");
    EnsureConfigurationFile();
    std::string bytes;
    EXPECT_FALSE(sim::GetFile(path, bytes));
    EnsureConfigurationFile();  // and again, still quietly
    EXPECT_FALSE(sim::GetFile(path, bytes));
}

TEST_F(EnsureFile, ACopyUnderAnotherNameCreatesItsOwnFile) {
    sim::SetFile(path, "[mine]\r\n");
    sim::SetModuleFileName("C:\\Vantor\\Copy.exe");
    EnsureConfigurationFile();
    std::string bytes;
    ASSERT_TRUE(sim::GetFile("C:\\Vantor\\Copy.ini", bytes));
    EXPECT_EQ(bytes, DefaultConfiguration());
    ASSERT_TRUE(sim::GetFile(path, bytes));
    EXPECT_EQ(bytes, "[mine]\r\n");
}

TEST_F(EnsureFile, NoResourceLeavesNoEmptyFile) {
    sim::SetRcData(10, "");
    EnsureConfigurationFile();
    std::string bytes;
    EXPECT_FALSE(sim::GetFile(path, bytes));
}

TEST(ConfigurationFile, OpensTheFileWithTheShell) {
    sim::Reset();
    sim::SetModuleFileName("E:\\Apps\\Notes.exe");
    OpenConfigurationForEditing();
    EXPECT_EQ(sim::ShellOpened(), std::vector<std::string>{"E:\\Apps\\Notes.ini"});
}

}  // namespace
