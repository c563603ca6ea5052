// What only the simulated clipboard can show: other holders, failed
// allocations, allocation flags, blocks placed by other programs.
#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/sim/sim.h"

namespace {

// One opener at a time; nothing happens while it is closed; blocks written
// carry a NUL and their flags; an allocation made to fail fails once.
TEST(Clipboard, OneOpenerAtATimeAndNothingWhileClosed) {
    sim::Reset();
    sim::SetClipboardData(1, "kept");
    std::string bytes;
    EXPECT_FALSE(platform::EmptyClipboard());
    EXPECT_FALSE(platform::GetClipboardBytes(1, bytes));
    EXPECT_FALSE(platform::PutClipboardBytes(2, "x", platform::kGmemMoveable));
    EXPECT_EQ(sim::ClipboardContent(), (std::map<unsigned, std::string>{{1, "kept"}}));
    sim::HoldClipboardElsewhere(true);
    EXPECT_FALSE(platform::OpenClipboard(nullptr));
    sim::HoldClipboardElsewhere(false);
    EXPECT_TRUE(platform::OpenClipboard(nullptr));
    EXPECT_FALSE(platform::OpenClipboard(nullptr));
    EXPECT_TRUE(platform::EmptyClipboard());
    sim::FailNextAllocation();
    EXPECT_FALSE(platform::PutClipboardBytes(1, "lost", platform::kGmemMoveable));
    EXPECT_TRUE(sim::ClipboardContent().empty());
    EXPECT_TRUE(platform::PutClipboardBytes(1, "@", platform::kGmemMoveable | platform::kGmemZeroInit));
    EXPECT_TRUE(platform::PutClipboardBytes(0xC000, "doc", platform::kGmemMoveable));
    EXPECT_TRUE(platform::CloseClipboard());
    EXPECT_FALSE(platform::CloseClipboard());
    EXPECT_FALSE(sim::ClipboardIsOpen());
    EXPECT_EQ(sim::ClipboardContent().at(1), std::string("@\0", 2));
    EXPECT_EQ(sim::ClipboardContent().at(0xC000), std::string("doc\0", 4));
    EXPECT_EQ(sim::ClipboardAllocFlags().at(1), 0x42u);
    EXPECT_EQ(sim::ClipboardAllocFlags().at(0xC000), 2u);
}

TEST(Clipboard, BlocksOfOtherProgramsAreReadWithinTheirBounds) {
    sim::Reset();
    struct {
        std::string block;
        std::string read;
    } cases[] = {{"no terminator", "no terminator"},
                 {std::string("cut\0here", 8), "cut"},
                 {std::string("\0", 1), ""},
                 {"", ""}};
    for (const auto& c : cases) {
        sim::SetClipboardData(0xC001, c.block);
        ASSERT_TRUE(platform::OpenClipboard(nullptr));
        std::string read = "stale";
        EXPECT_TRUE(platform::GetClipboardBytes(0xC001, read));
        EXPECT_EQ(read, c.read);
        platform::CloseClipboard();
    }
}

}  // namespace
