#include "features/contacts/new_contact_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(NewContactLayout, LabelsInListOrderThenNewCompany) {
    std::vector<DomainEntry> domains = {{"Y!", "Yahoo!", "@yahoo.com"},
                                        {"default", "Microsoft", "@microsoft.com"},
                                        {"Default", "Other Co", "@other.com"},
                                        {"G", "Google \xC9t\xE9", "@gmail.com"}};
    EXPECT_EQ(NewContactButtonLabels(domains),
              (std::vector<std::string>{"Yahoo!", "default (Microsoft)", "Other Co",
                                        "Google \xC9t\xE9", "< New company >"}));
    EXPECT_EQ(NewContactButtonLabels({}), std::vector<std::string>{"< New company >"});
}

TEST(NewContactLayout, Question) {
    EXPECT_EQ(NewContactQuestion("Doe, Max"), "What company does Doe, Max belong to ?");
}

TEST(NewContactLayout, HeightAndButtonRows) {
    const std::pair<size_t, int> heights[] = {{0, 90}, {1, 115}, {4, 190}, {20, 590}};
    for (auto [n, height] : heights) EXPECT_EQ(NewContactDialogHeight(n), height) << n;
    EXPECT_EQ(NewContactButtonTop(0), 25);
    EXPECT_EQ(NewContactButtonTop(1), 50);
    EXPECT_EQ(NewContactButtonTop(20), 525);
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
