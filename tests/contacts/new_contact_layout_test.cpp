#include "features/contacts/new_contact_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(NewContactLayout, LabelsInListOrderThenNewCompany) {
    std::vector<DomainEntry> domains = {{"Y!", "Yahoo!", "@yahoo.com"},
                                        {"default", "Microsoft", "@microsoft.com"},
                                        {"Default", "Other Co", "@other.com"},
                                        {"G", "Google Été", "@gmail.com"},
                                        {"AT&T", "AT&T && Co", "@att.com"},
                                        {"default", "B&Q", "@bq.com"}};
    EXPECT_EQ(NewContactButtonLabels(domains),
              (std::vector<std::string>{"Yahoo!", "default (Microsoft)", "Other Co", "Google Été",
                                        "AT&&T &&&& Co", "default (B&&Q)", "< New company >"}));
    EXPECT_EQ(NewContactButtonLabels({}), std::vector<std::string>{"< New company >"});
}

TEST(NewContactLayout, Question) {
    EXPECT_EQ(NewContactQuestion("Doe, Max"), "What company does Doe, Max belong to ?");
}

// Screen heights in dialog units; the place is that of the last button.
TEST(NewContactLayout, ColumnsOnlyWhenTheButtonsOutgrowTheScreen) {
    const struct {
        size_t companies;
        int screen, rows, columns, width, height, lastX, lastY;
        bool asks = false;  // the part before the "@" takes a row
    } cases[] = {
        {0, 10000, 1, 1, 280, 90, 40, 25},     {1, 10000, 2, 1, 280, 115, 40, 50},
        {20, 10000, 21, 1, 280, 590, 40, 525}, {20, 590, 21, 1, 280, 590, 40, 525},  // just fits
        {20, 589, 20, 2, 485, 565, 245, 25},   {40, 489, 16, 3, 690, 465, 450, 225},
        {3, 0, 1, 4, 895, 90, 655, 25},  // no room at all: one a column
        {1, 10000, 2, 1, 280, 140, 40, 75, true}, {20, 590, 20, 2, 485, 590, 245, 50, true}};
    for (const auto& c : cases) {
        NewContactLayout l = LayOutNewContact(c.companies, c.screen, c.asks);
        ButtonPlace last = NewContactButtonPlace(c.companies, l);
        EXPECT_EQ(std::vector<int>({l.rows, l.columns, l.width, l.height, last.x, last.y}),
                  std::vector<int>({c.rows, c.columns, c.width, c.height, c.lastX, c.lastY}))
            << c.companies << " in " << c.screen;
    }
}

TEST(NewContactLayout, LocalPartIsTakenOnlyAsAMailSystemTakesIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"  li.ming ", "li.ming"}, {"O'Neil+x_1", "O'Neil+x_1"}, {std::string(64, 'a'), std::string(64, 'a')},
        {std::string(65, 'a'), ""}, {"   ", ""}, {"li ming", ""}, {".li", ""}, {"li.", ""}, {"li..ming", ""},
        {"l\xC3\xAD", ""}, {"li@ming", ""}, {"li,ming", ""}, {"\"li\"", ""}};
    for (const auto& [typed, taken] : cases) EXPECT_EQ(UsableLocalPart(typed), taken) << typed;
}

TEST(NewContactLayout, ArrowPressesForTheAccelerators) {
    const struct {
        int command, current;
        size_t companies;
        unsigned key;
        int count;
    } cases[] = {
        {kCommandPageDown, 103, 20, kVirtualKeyDown, 7},
        {kCommandPageDown, 118, 20, kVirtualKeyDown, 5},
        {kCommandPageDown, 123, 20, kVirtualKeyDown, 0},
        {kCommandEnd, 103, 20, kVirtualKeyDown, 20},
        {kCommandEnd, 110, 20, kVirtualKeyDown, 13},
        {kCommandHome, 123, 20, kVirtualKeyUp, 20},
        {kCommandHome, 103, 20, kVirtualKeyUp, 0},
        {kCommandPageUp, 123, 20, kVirtualKeyUp, 7},
        {kCommandPageUp, 105, 20, kVirtualKeyUp, 2},
        {kCommandEnd, 103, 1, kVirtualKeyDown, 1},
        // The hidden button counts as the first: nothing overshoots.
        {kCommandEnd, kHiddenButton, 3, kVirtualKeyDown, 3},
        {kCommandHome, kHiddenButton, 3, kVirtualKeyUp, 0},
        {kCommandHome, 500, 3, kVirtualKeyUp, 3},
        {1, 110, 20, kVirtualKeyDown, 0},
    };
    for (const auto& c : cases) {
        ArrowPresses presses = ArrowPressesFor(c.command, c.current, c.companies);
        EXPECT_EQ(presses.count, c.count) << c.command << " from " << c.current;
        if (c.count > 0) {
            EXPECT_EQ(presses.virtualKey, c.key) << c.command << " from " << c.current;
        }
    }
}

TEST(NewContactLayout, ResultIsButtonPosition) {
    EXPECT_EQ(NewContactResult(kHiddenButton), 0);
    EXPECT_EQ(NewContactResult(103), 1);
    EXPECT_EQ(NewContactResult(104), 2);  // "< New company >" with one company
    EXPECT_EQ(NewContactResult(123), 21);
}

}  // namespace
