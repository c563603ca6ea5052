#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/configuration_file.h"
#include "platform/sim/sim.h"

namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    if (from < text.size()) lines.push_back(text.substr(from));
    return lines;
}

class DefaultConfigurationText : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        bytes = DefaultConfiguration();
        lines = SplitCrLf(bytes);
    }
    std::string bytes;
    std::vector<std::string> lines;

    // The entry lines of a section, up to the empty line or the next header.
    std::vector<std::string> Section(const std::string& name) {
        std::vector<std::string> entries;
        bool inside = false;
        for (const std::string& line : lines) {
            if (!line.empty() && line[0] == '[') {
                inside = line == "[" + name + "]";
                continue;
            }
            if (inside && !line.empty()) entries.push_back(line);
        }
        return entries;
    }
};

TEST_F(DefaultConfigurationText, IsSixtyEightCrLfLinesOfPlainAscii) {
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(lines.size(), 68u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    size_t crs = 0, lfs = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r') {
            ++crs;
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
        } else if (c == '\n') {
            ++lfs;
        } else {
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "byte " << int(c) << " at " << i;
        }
    }
    EXPECT_EQ(crs, 68u);
    EXPECT_EQ(lfs, 68u);
}

TEST_F(DefaultConfigurationText, SectionsComeInOrderEachFollowedByOneEmptyLine) {
    std::vector<std::string> headers;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            // An empty line only ever closes a section, right before the next header.
            ASSERT_LT(i + 1, lines.size());
            EXPECT_EQ(lines[i + 1][0], '[') << "line " << i + 1;
            EXPECT_FALSE(lines[i - 1].empty());
        } else if (lines[i][0] == '[') {
            headers.push_back(lines[i]);
            if (i > 0) {
                EXPECT_TRUE(lines[i - 1].empty()) << lines[i];
            }
        } else {
            EXPECT_NE(lines[i].find('='), std::string::npos) << lines[i];
        }
    }
    EXPECT_EQ(headers, (std::vector<std::string>{"[date_picker]", "[date_picker_readme]",
                                                 "[weekdays]", "[months]", "[domains]",
                                                 "[contact_book]"}));
    EXPECT_EQ(lines.front(), "[date_picker]");
    EXPECT_FALSE(lines.back().empty());
}

TEST_F(DefaultConfigurationText, DateSectionsHoldTheFixedEntries) {
    EXPECT_EQ(Section("date_picker"), std::vector<std::string>{"output=<b>w.dd/mm/yyyy (wn)</b>"});
    EXPECT_EQ(Section("date_picker_readme"),
              (std::vector<std::string>{
                  "w=short weekday name (see next section)",
                  "wd=full weekday name (see next section)",
                  "wn=week number",
                  "d=short day number (1 or 2 digits)",
                  "dd=long day number (2 digits, prefixed with '0')",
                  "m=short month number (1 or 2 digits)",
                  "mm=long month number (2 digits, prefixed with '0')",
                  "M=short month name (3 characters) e.g. JAN, FEB, MAR...",
                  "MM=long month name e.g. January, February...",
                  "yy=short year number (2 digits)",
                  "yyyy=long year number (4 digits)",
              }));
    const char* shortDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    const char* longDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                              "Friday", "Saturday", "Sunday"};
    std::vector<std::string> weekdays;
    for (int i = 1; i <= 7; ++i) weekdays.push_back("w(" + std::to_string(i) + ")=" + shortDays[i - 1]);
    for (int i = 1; i <= 7; ++i) weekdays.push_back("wd(" + std::to_string(i) + ")=" + longDays[i - 1]);
    EXPECT_EQ(Section("weekdays"), weekdays);
    const char* shortMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const char* longMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};
    std::vector<std::string> months;
    for (int i = 1; i <= 12; ++i) months.push_back("M(" + std::to_string(i) + ")=" + shortMonths[i - 1]);
    for (int i = 1; i <= 12; ++i) months.push_back("MM(" + std::to_string(i) + ")=" + longMonths[i - 1]);
    EXPECT_EQ(Section("months"), months);
}

TEST_F(DefaultConfigurationText, CompaniesAndContactsKeepTheirForms) {
    std::vector<std::string> domains = Section("domains");
    ASSERT_EQ(domains.size(), 4u);
    const char* keys[] = {"default", "Y!", "G", "AMZ"};
    const char* companies[] = {"Microsoft", "Yahoo!", "Google", "Amazon"};
    const std::regex domainForm(R"(@[a-z0-9-]+(\.[a-z0-9-]+)+)");
    std::vector<std::string> extensions;
    for (size_t i = 0; i < 4; ++i) {
        std::string prefix = std::string(keys[i]) + "=" + companies[i];
        ASSERT_EQ(domains[i].substr(0, prefix.size()), prefix) << domains[i];
        std::string extension = domains[i].substr(prefix.size());
        EXPECT_TRUE(std::regex_match(extension, domainForm)) << domains[i];
        extensions.push_back(extension);
    }

    std::vector<std::string> contacts = Section("contact_book");
    ASSERT_EQ(contacts.size(), 3u);
    EXPECT_EQ(contacts[0], "Doe, John=mailto:John.Doe" + extensions[1]);
    EXPECT_EQ(contacts[1], "Doe, Jane=mailto:Jane.Doe" + extensions[3]);
    std::smatch third;
    ASSERT_TRUE(std::regex_match(contacts[2], third,
                                 std::regex(R"(([A-Z][a-z]+), ([A-Z][a-z]+)=mailto:(.*))")))
        << contacts[2];
    EXPECT_EQ(third[3].str(), third[2].str() + "." + third[1].str() + extensions[0]);
}

}  // namespace
