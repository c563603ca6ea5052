// What keys type in the US layout, which both platforms have.
#include <gtest/gtest.h>

#include "platform/keyboard.h"
#include "tests/support/contract.h"

TEST(KeyboardContract, WhatKeysTypeInTheUnitedStatesLayout) {
    ResetPlatform();
    platform::LayoutHandle layout = platform::GetWindowKeyboardLayout(nullptr);  // the calling thread's
    ASSERT_EQ(layout, platform::GetKeyboardLayout());
    const struct {
        unsigned key, shiftState;
        std::u16string typed;
    } cases[] = {{'A', 0, u"a"},    {'A', 1, u"A"}, {'2', 1, u"@"}, {'2', 0, u"2"},  {0xBF, 0, u"/"},
                 {'D', 2, u"\x04"}, {'0', 6, u""},  {'Q', 6, u""},  {0x10, 0, u""}, {0xE8, 0, u""}};
    for (const auto& c : cases)
        EXPECT_EQ(platform::ToUnicodeEx(c.key, c.shiftState, layout), c.typed) << c.key << " " << c.shiftState;
}
