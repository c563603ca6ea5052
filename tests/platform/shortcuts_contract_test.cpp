// Shortcuts as both platforms write and read them, and the "Start with
// Windows" click over them.
#include <gtest/gtest.h>

#include <string>

#include "app/configuration_file.h"
#include "app/startup_shortcut.h"
#include "platform/files.h"
#include "platform/shortcuts.h"
#include "tests/support/contract.h"

TEST(ShortcutsContract, WrittenReadReplacedOrRefused) {
    ResetPlatform();
    const std::string folder = FreshFolder(), link = folder + "Vantor.lnk";
    std::string target = "untouched";
    EXPECT_FALSE(platform::ReadShortcutTarget(link, target));
    ASSERT_TRUE(platform::WriteNewFile(link, "[options]\r\n"));
    EXPECT_FALSE(platform::ReadShortcutTarget(link, target)) << "a text file is no shortcut";
    EXPECT_EQ(target, "untouched");
    // Windows gives back the Unicode path; Wine 8 keeps only the path's ANSI
    // form in the file, and best fit turns "Łódź Δ" into "Lódz ?".
    const std::string wide = "\xC5\x81\xC3\xB3\x64\xC5\xBA \xCE\x94.exe";
    for (const std::string& name : {std::string("Vantor.exe"), wide}) {
        ASSERT_TRUE(platform::WriteNewFile(folder + name, "MZ"));
        ASSERT_TRUE(platform::WriteShortcut(link, folder + name)) << name;
        EXPECT_TRUE(platform::ReadShortcutTarget(link, target)) << name;
        const bool bestFit = RunningUnderWine() && name == wide;
        EXPECT_EQ(target, folder + (bestFit ? "L\xC3\xB3" "dz ?.exe" : name));
    }
    EXPECT_FALSE(platform::WriteShortcut(folder + "missing\\Vantor.lnk", folder + "Vantor.exe"));
    const std::string startup = StartupShortcutPath();
    EXPECT_EQ(startup.substr(startup.rfind('\\')), "\\" + BaseNameUtf8() + ".lnk");
    EXPECT_TRUE(platform::PathExists(startup.substr(0, startup.rfind('\\')))) << startup;
}

// Only a shortcut that starts this very file counts as ticked; a click
// removes that one and points any other here.
TEST(ShortcutsContract, StartWithWindowsClick) {
    struct {
        const char* name;
        const char* before;  // the shortcut's target in the folder; "" a text file; null nothing
        bool ticked;
    } cases[] = {
        {"none", nullptr, false},         {"this copy", "Vantor.exe", true},
        {"other case", "VANTOR.EXE", true}, {"a moved copy", "old\\Vantor.exe", false},
        {"not a shortcut", "", false},
    };
    for (const auto& c : cases) {
        ResetPlatform();
        const std::string folder = FreshFolder(), link = folder + "Vantor.lnk", program = folder + "Vantor.exe";
        ASSERT_TRUE(MakeFolder(folder + "old") && platform::WriteNewFile(folder + "old\\Vantor.exe", "MZ"));
        ASSERT_TRUE(platform::WriteNewFile(program, "MZ"));
        if (c.before) {
            ASSERT_TRUE(*c.before ? platform::WriteShortcut(link, folder + c.before) : platform::WriteNewFile(link, "x"));
        }
        EXPECT_EQ(ShortcutStartsProgram(link, program), c.ticked) << c.name;
        EXPECT_EQ(ToggleStartupShortcut(link, program), !c.ticked) << c.name;
        EXPECT_EQ(ShortcutStartsProgram(link, program), !c.ticked) << c.name;
        EXPECT_EQ(platform::PathExists(link), !c.ticked) << c.name;
    }
    EXPECT_FALSE(ToggleStartupShortcut("", "C:\\Vantor\\Vantor.exe")) << "no Startup folder";
}
