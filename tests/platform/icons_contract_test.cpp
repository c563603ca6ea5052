// Icons of the system's libraries as both platforms answer them.
#include <gtest/gtest.h>

#include "platform/icons.h"
#include "tests/support/contract.h"

TEST(IconsContract, ExtractedOnceEachDestroyedOnceOrMissing) {
    ResetPlatform();
    struct { const char* library; int index; bool exists; } cases[] = {
        {"shell32.dll", 73, true}, {"SHELL32.DLL", 57, true}, {"vantor-no-such-library.dll", 0, false},
        {"shell32.dll", 100000, false}, {"drivers\\etc\\hosts", 0, false},  // a file but no library
    };
    for (const auto& c : cases) {
        platform::IconHandle first = platform::ExtractSystemIcon(c.library, c.index);
        platform::IconHandle second = platform::ExtractSystemIcon(c.library, c.index);
        ASSERT_EQ(first != nullptr, c.exists) << c.library << " " << c.index;
        ASSERT_EQ(second != nullptr, c.exists) << c.library << " " << c.index;
        if (first == nullptr) continue;
        EXPECT_NE(first, second) << "each extraction is an icon of its own: " << c.index;
        EXPECT_TRUE(platform::DestroyIcon(first)) << c.index;
        EXPECT_FALSE(platform::DestroyIcon(first)) << c.index;
        EXPECT_TRUE(platform::DestroyIcon(second)) << "went with the other: " << c.index;
    }
    EXPECT_FALSE(platform::DestroyIcon(nullptr));
}
