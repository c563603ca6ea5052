// Hostile configuration files, answered alike by the simulation and by the
// system's own profile functions.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "features/dates/date_configuration.h"
#include "features/dates/date_format.h"
#include "platform/files.h"
#include "tests/support/contract.h"

namespace {

const char kBuiltInFormat[] = "<b>w.dd/mm (Wwn)</b>";

// Deterministic noise. `plain` keeps out the bytes that give a line or a
// file structure (NUL, CR, LF, "[", "]", "=", quotes, end-of-file marks).
std::string Junk(size_t size, bool plain) {
    std::string bytes;
    uint32_t state = 12345;
    while (bytes.size() < size) {
        state = state * 1103515245u + 12345u;
        char c = static_cast<char>(state >> 24);
        if (plain && std::string("\0\r\n[]=\"'\x1a", 10).find(c) != std::string::npos) continue;
        bytes += c;
    }
    bytes[0] = 'j';  // never a byte-order mark
    return bytes;
}

struct HostileCase {
    const char* name;
    std::string bytes;
    std::string expectedFormat;
    std::string expectedFirstShortWeekday;
};

std::vector<HostileCase> HostileCases() {
    const std::string section = "[date_picker]\r\noutput=found\r\n[weekdays]\r\nw(1)=Lu\r\n";
    return {
        {"empty file", "", kBuiltInFormat, ""},
        {"binary junk", Junk(4096, false), kBuiltInFormat, ""},
        {"plain junk, then the sections", Junk(4096, true) + "\r\n" + section, "found", "Lu"},
        {"no line ends at all", "[date_picker]output=found[weekdays]w(1)=Lu", kBuiltInFormat, ""},
        {"one entry, no line end", "[date_picker]\r\noutput=found", "found", ""},
        {"CR-only line ends", "[date_picker]\routput=found\r[weekdays]\rw(1)=Lu\r", "found", "Lu"},
        {"LF-only line ends", "[date_picker]\noutput=found\n[weekdays]\nw(1)=Lu\n", "found", "Lu"},
        {"a 10 MB line before the sections", std::string(10 << 20, 'x') + "\r\n" + section,
         "found", "Lu"},
        {"a 10 MB value", "[date_picker]\r\noutput=" + std::string(10 << 20, 'v') + "\r\n",
         std::string(259, 'v'), ""},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF\r\n" + section, "found", "Lu"},
        {"a section header with no end", "[date_picker\r\noutput=found\r\n", kBuiltInFormat, ""},
        {"an entry with no equals sign", "[date_picker]\r\noutput\r\n", kBuiltInFormat, ""},
    };
}

void ExpectTableSizes() {
    EXPECT_EQ(gShortWeekdayNames.size(), 7u);
    EXPECT_EQ(gLongWeekdayNames.size(), 7u);
    EXPECT_EQ(gShortMonthNames.size(), 12u);
    EXPECT_EQ(gLongMonthNames.size(), 12u);
}

TEST(DateConfigurationContract, HostileFilesGiveDefaultsOrWhatIsReadable) {
    ResetPlatform();
    for (const HostileCase& c : HostileCases()) {
        std::string path = FreshFolder() + "dates.ini";
        ASSERT_TRUE(platform::WriteNewFile(path, c.bytes)) << c.name;
        ReadDateConfigurationFrom(path);
        EXPECT_EQ(gDateFormat, c.expectedFormat) << c.name;
        ExpectTableSizes();
        if (gShortWeekdayNames.size() == 7) {
            EXPECT_EQ(gShortWeekdayNames[0], c.expectedFirstShortWeekday) << c.name;
        }
        platform::DeleteFileW(path);
    }
}

TEST(DateConfigurationContract, MissingFileOrAFolderGivesDefaults) {
    ResetPlatform();
    std::string folder = FreshFolder();
    for (const std::string& path : {folder + "missing.ini", folder.substr(0, folder.size() - 1)}) {
        gDateFormat = "stale";
        ReadDateConfigurationFrom(path);
        EXPECT_EQ(gDateFormat, kBuiltInFormat) << path;
        ExpectTableSizes();
        for (const auto* table : {&gShortWeekdayNames, &gLongWeekdayNames, &gShortMonthNames,
                                  &gLongMonthNames})
            for (const std::string& name : *table) EXPECT_EQ(name, "") << path;
    }
}

TEST(DateConfigurationContract, ValuesAreTrimmedCutAndMatchedInAnyCase) {
    ResetPlatform();
    std::string path = FreshFolder() + "dates.ini";
    std::string text =
        "[Date_Picker]\r\n"
        "Output=  \"  <b>dd</b>  \"  \r\n"
        "[WEEKDAYS]\r\n"
        "W(1)=   Lu   \r\n"
        "wd(1)=" + std::string(300, 'L') + "\r\n"
        "[months]\r\n"
        "m(2)=Fe\r\n"
        "MM(2)=  \r\n";
    ASSERT_TRUE(platform::WriteNewFile(path, text));
    ReadDateConfigurationFrom(path);
    EXPECT_EQ(gDateFormat, "<b>dd</b>");
    ExpectTableSizes();
    EXPECT_EQ(gShortWeekdayNames[0], "Lu");
    EXPECT_EQ(gLongWeekdayNames[0], std::string(259, 'L'));
    EXPECT_EQ(gShortMonthNames[1], "Fe");
    EXPECT_EQ(gLongMonthNames[1], "");
    platform::DeleteFileW(path);
}

}  // namespace
