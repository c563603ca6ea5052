// What only the simulated clipboard can show: other holders, failed
// allocations, allocation flags, blocks placed by other programs.
#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/sim/sim.h"

namespace {

TEST(Clipboard, OneOpenerAtATime) {
    sim::Reset();
    sim::HoldClipboardElsewhere(true);
    EXPECT_FALSE(platform::OpenClipboard(nullptr));
    EXPECT_FALSE(sim::ClipboardIsOpen());
    sim::HoldClipboardElsewhere(false);
    EXPECT_TRUE(platform::OpenClipboard(nullptr));
    EXPECT_TRUE(sim::ClipboardIsOpen());
    EXPECT_FALSE(platform::OpenClipboard(nullptr));
    EXPECT_TRUE(platform::CloseClipboard());
    EXPECT_FALSE(platform::CloseClipboard());
    EXPECT_FALSE(sim::ClipboardIsOpen());
}

TEST(Clipboard, NothingHappensWhileClosed) {
    sim::Reset();
    sim::SetClipboardData(1, "kept");
    std::string bytes;
    EXPECT_FALSE(platform::EmptyClipboard());
    EXPECT_FALSE(platform::GetClipboardBytes(1, bytes));
    EXPECT_FALSE(platform::PutClipboardBytes(2, "x", platform::kGmemMoveable));
    EXPECT_EQ(sim::ClipboardContent(), (std::map<unsigned, std::string>{{1, "kept"}}));
}

TEST(Clipboard, WrittenBlocksCarryANulAndTheirFlags) {
    sim::Reset();
    ASSERT_TRUE(platform::OpenClipboard(nullptr));
    EXPECT_TRUE(platform::PutClipboardBytes(1, "@", platform::kGmemMoveable | platform::kGmemZeroInit));
    EXPECT_TRUE(platform::PutClipboardBytes(0xC000, "doc", platform::kGmemMoveable));
    platform::CloseClipboard();
    EXPECT_EQ(sim::ClipboardContent().at(1), std::string("@\0", 2));
    EXPECT_EQ(sim::ClipboardContent().at(0xC000), std::string("doc\0", 4));
    EXPECT_EQ(sim::ClipboardAllocFlags().at(1), 0x42u);
    EXPECT_EQ(sim::ClipboardAllocFlags().at(0xC000), 2u);
}

TEST(Clipboard, FailedAllocationFailsOnce) {
    sim::Reset();
    ASSERT_TRUE(platform::OpenClipboard(nullptr));
    sim::FailNextAllocation();
    EXPECT_FALSE(platform::PutClipboardBytes(1, "lost", platform::kGmemMoveable));
    EXPECT_TRUE(sim::ClipboardContent().empty());
    EXPECT_TRUE(platform::PutClipboardBytes(1, "kept", platform::kGmemMoveable));
    EXPECT_EQ(sim::ClipboardContent().at(1), std::string("kept\0", 5));
    platform::CloseClipboard();
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

TEST(Clipboard, EmptyDiscardsEveryFormat) {
    sim::Reset();
    sim::SetClipboardData(1, "a");
    sim::SetClipboardData(0xC005, "b");
    ASSERT_TRUE(platform::OpenClipboard(nullptr));
    EXPECT_TRUE(platform::EmptyClipboard());
    platform::CloseClipboard();
    EXPECT_TRUE(sim::ClipboardContent().empty());
}

TEST(Clipboard, FormatNamesAreRegisteredOnce) {
    sim::Reset();
    unsigned html = platform::RegisterClipboardFormatA("HTML Format");
    unsigned other = platform::RegisterClipboardFormatA("Rich Text Format");
    EXPECT_EQ(html, 0xC000u);
    EXPECT_EQ(other, 0xC001u);
    EXPECT_EQ(platform::RegisterClipboardFormatA("html format"), html);
    EXPECT_EQ(platform::RegisterClipboardFormatA(""), 0u);
}

}  // namespace
