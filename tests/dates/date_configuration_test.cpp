#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/configuration_file.h"
#include "features/dates/date_configuration.h"
#include "features/dates/date_format.h"
#include "platform/sim/sim.h"

namespace {

const char kBuiltInFormat[] = "<b>w.dd/mm (Wwn)</b>";

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

std::string DefaultWithout(const std::string& key) {
    std::string text = DefaultConfiguration();
    size_t at = text.find("\r\n" + key + "=");
    if (at == std::string::npos) return text;
    size_t end = text.find("\r\n", at + 2);
    return text.erase(at, end - at);
}

class DateConfiguration : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        sim::AddFolder("C:\\Vantor");
        // Leftovers from an earlier read must not survive the next one.
        gDateFormat = "stale";
        gShortWeekdayNames.assign(3, "stale");
        gLongMonthNames.assign(20, "stale");
    }
    void WriteConfiguration(const std::string& bytes) { sim::SetFile(ConfigurationPath(), bytes); }
    std::string Monday() { return FormatDate(2026, 12, 7, gDateFormat); }
};

void ExpectAllEmpty() {
    EXPECT_EQ(gShortWeekdayNames, std::vector<std::string>(7));
    EXPECT_EQ(gLongWeekdayNames, std::vector<std::string>(7));
    EXPECT_EQ(gShortMonthNames, std::vector<std::string>(12));
    EXPECT_EQ(gLongMonthNames, std::vector<std::string>(12));
}

TEST_F(DateConfiguration, MissingFileGivesTheDefaults) {
    ReadDateConfiguration();
    EXPECT_EQ(gDateFormat, kBuiltInFormat);
    ExpectAllEmpty();
    EXPECT_EQ(Monday(), "<b>lun.07/12 (W50)</b>");
}

TEST_F(DateConfiguration, ReadsTheDefaultConfiguration) {
    WriteConfiguration(DefaultConfiguration());
    ReadDateConfiguration();
    EXPECT_EQ(gDateFormat, "<b>w.dd/mm/yyyy (wn)</b>");
    EXPECT_EQ(gShortWeekdayNames,
              (std::vector<std::string>{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}));
    EXPECT_EQ(gLongWeekdayNames[6], "Sunday");
    EXPECT_EQ(gShortMonthNames[11], "DEC");
    EXPECT_EQ(gLongMonthNames[8], "September");
    EXPECT_EQ(Monday(), "<b>Mon.07/12/2026 (50)</b>");
}

TEST_F(DateConfiguration, MissingOutputKeyGivesTheBuiltInFormat) {
    WriteConfiguration(DefaultWithout("output"));
    ReadDateConfiguration();
    EXPECT_EQ(gDateFormat, kBuiltInFormat);
    EXPECT_EQ(Monday(), "<b>Mon.07/12 (W50)</b>");
}

TEST_F(DateConfiguration, RemovedFirstShortWeekdayMakesAllSevenFrench) {
    WriteConfiguration(DefaultWithout("w(1)"));
    ReadDateConfiguration();
    EXPECT_EQ(gShortWeekdayNames[0], "");
    EXPECT_EQ(gShortWeekdayNames[1], "Tue");
    EXPECT_EQ(FormatDate(2026, 12, 8, "w wd"), "mar Tuesday");
    EXPECT_EQ(Monday(), "<b>lun.07/12/2026 (50)</b>");
}

struct ValueCase {
    const char* name;
    std::string fileText;
    std::string expectedFormat;
};

TEST_F(DateConfiguration, OutputValueIsTrimmedAndBounded) {
    const std::string long300(300, 'x');
    const ValueCase cases[] = {
        {"blanks around", Lines({"[date_picker]", "output=   <i>dd</i>   "}), "<i>dd</i>"},
        {"blanks inside quotes", Lines({"[date_picker]", "output=\"  <i>dd</i>  \""}), "<i>dd</i>"},
        {"300 bytes", Lines({"[date_picker]", "output=" + long300}), std::string(259, 'x')},
        {"blanks at the cut", Lines({"[date_picker]", "output=" + std::string(250, 'x') +
                                                         std::string(20, ' ') + "tail"}),
         std::string(250, 'x')},
        {"blanks only", Lines({"[date_picker]", "output=\"   \""}), ""},
        {"empty value", Lines({"[date_picker]", "output="}), ""},
        {"tabs are not spaces", Lines({"[date_picker]", "output=\"\tdd\t\""}), "\tdd\t"},
        // An editor's "ANSI" template is Windows-1252; the HTML is UTF-8.
        {"Windows-1252", Lines({"[date_picker]", "output=<b>\xE9t\xE9 dd</b>"}),
         "<b>\xC3\xA9t\xC3\xA9 dd</b>"},
        {"UTF-8", Lines({"[date_picker]", "output=<b>\xCE\x94 dd</b>"}), "<b>\xCE\x94 dd</b>"},
        {"UTF-8 cut inside a letter", Lines({"[date_picker]", "output=" + Repeated("\xC3\xA9", 150)}),
         Repeated("\xC3\xA9", 129)},
        {"Windows-1252 cut", Lines({"[date_picker]", "output=" + std::string(300, '\xE9')}),
         Repeated("\xC3\xA9", 259)},
        {"UTF-16 file", std::string("\xFF\xFE[\0d\0a\0t\0e\0_\0p\0i\0c\0k\0e\0r\0]\0\n\0"
                                    "o\0u\0t\0p\0u\0t\0=\0\x94\x03 \0d\0", 50),
         "\xCE\x94 d"},
    };
    for (const ValueCase& c : cases) {
        WriteConfiguration(c.fileText);
        ReadDateConfiguration();
        EXPECT_EQ(gDateFormat, c.expectedFormat) << c.name;
    }
}

TEST_F(DateConfiguration, KeysMatchInAnyCaseAndNamesBecomeUtf8) {
    // Names too may be Windows-1252 or UTF-8, each on its own.
    WriteConfiguration(Lines({"[DATE_PICKER]", "OUTPUT=w/wd/M/MM", "[WeekDays]", "W(1)=Lu",
                              "WD(1)=L\xC3\xBCndi", "[MONTHS]", "m(1)=Ja", "m(12)=De",
                              "Mm(1)=Janvier", "mm(12)=D\xE9" "cembre"}));
    ReadDateConfiguration();
    EXPECT_EQ(gDateFormat, "w/wd/M/MM");
    EXPECT_EQ(Monday(), "Lu/L\xC3\xBCndi/De/D\xC3\xA9" "cembre");
}

TEST_F(DateConfiguration, EachReadRecreatesTheTables) {
    WriteConfiguration(DefaultConfiguration());
    ReadDateConfiguration();
    WriteConfiguration(Lines({"[weekdays]", "w(2)=Di"}));
    ReadDateConfiguration();
    EXPECT_EQ(gShortWeekdayNames, (std::vector<std::string>{"", "Di", "", "", "", "", ""}));
    EXPECT_EQ(gLongWeekdayNames, std::vector<std::string>(7));
    EXPECT_EQ(gShortMonthNames, std::vector<std::string>(12));
    EXPECT_EQ(gLongMonthNames, std::vector<std::string>(12));
}

TEST_F(DateConfiguration, KeysAreReadInTheirOrderFromTheConfigurationFile) {
    WriteConfiguration(DefaultConfiguration());
    sim::ClearCalls();
    ReadDateConfiguration();
    std::vector<std::string> profileReads;
    for (const sim::Call& call : sim::Calls())
        if (call.name == "GetPrivateProfileStringW") profileReads.push_back(call.detail);
    std::vector<std::string> expected = {"date_picker output"};
    for (int i = 1; i <= 7; ++i) {
        expected.push_back("weekdays w(" + std::to_string(i) + ")");
        expected.push_back("weekdays wd(" + std::to_string(i) + ")");
    }
    for (int i = 1; i <= 12; ++i) {
        expected.push_back("months M(" + std::to_string(i) + ")");
        expected.push_back("months MM(" + std::to_string(i) + ")");
    }
    for (std::string& read : expected) read += " " + ConfigurationPath();
    EXPECT_EQ(profileReads, expected);
}

TEST_F(DateConfiguration, FollowsTheExecutablesName) {
    sim::SetModuleFileName("C:\\Vantor\\Copy.exe");
    sim::SetFile("C:\\Vantor\\Vantor.ini", DefaultConfiguration());
    ReadDateConfiguration();
    EXPECT_EQ(gDateFormat, kBuiltInFormat);
    sim::SetFile("C:\\Vantor\\Copy.ini", Lines({"[date_picker]", "output=copy"}));
    ReadDateConfiguration();
    EXPECT_EQ(gDateFormat, "copy");
}

}  // namespace
