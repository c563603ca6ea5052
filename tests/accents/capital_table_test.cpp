#include "features/accents/capital_table.h"

#include <gtest/gtest.h>

#include "platform/keyboard.h"
#include "platform/sim/sim.h"

namespace {

struct CapitalCase {
    unsigned virtualKey;
    std::string capital;
    sim::Layout layout = sim::Layout::French;
};

void PrintTo(const CapitalCase& c, std::ostream* out) { *out << c.virtualKey << " layout " << int(c.layout); }

class CapitalForKeyTest : public testing::TestWithParam<CapitalCase> {};

// The layout asked with decides, not the one in force.
TEST_P(CapitalForKeyTest, Types) {
    sim::Reset();
    sim::SetKeyboardLayout(GetParam().layout);
    platform::LayoutHandle layout = platform::GetKeyboardLayout();
    sim::SetKeyboardLayout(sim::Layout::UnitedStates);
    EXPECT_EQ(CapitalForKey(GetParam().virtualKey, layout), GetParam().capital);
}

INSTANTIATE_TEST_SUITE_P(
    FrenchKeys, CapitalForKeyTest,
    testing::Values(CapitalCase{0x32, "\xC9"}, CapitalCase{0x30, "\xC0"}, CapitalCase{0x39, "\xC7"},
                    CapitalCase{0x37, "\xC8"}, CapitalCase{0xC0, "\xD9"}));

// Where a key types é, à, ç, è or ù alone, its capital; the others keep the
// French table (on US the 2 key still gives É, on Italian the ò key Ù).
INSTANTIATE_TEST_SUITE_P(
    OtherLayouts, CapitalForKeyTest,
    testing::Values(CapitalCase{0xDE, "\xC9", sim::Layout::SwissFrench}, CapitalCase{0xBA, "\xC8", sim::Layout::SwissFrench},
                    CapitalCase{0xDC, "\xC0", sim::Layout::SwissFrench}, CapitalCase{0x34, "", sim::Layout::SwissFrench},
                    CapitalCase{0xBF, "\xC9", sim::Layout::CanadianFrench}, CapitalCase{0xBF, "\xC7", sim::Layout::Spanish},
                    CapitalCase{0xBF, "\xD9", sim::Layout::Italian}, CapitalCase{0xC0, "\xD9", sim::Layout::Italian},
                    CapitalCase{0x32, "\xC9", sim::Layout::Belgian}, CapitalCase{0x32, "\xC9", sim::Layout::UnitedStates},
                    CapitalCase{0xDE, "", sim::Layout::German}));

// Shift, the other digits, letters, the keypad's digits and codes that only
// share a low byte with a key of the table type nothing.
INSTANTIATE_TEST_SUITE_P(
    OtherKeys, CapitalForKeyTest,
    testing::Values(CapitalCase{0x10, ""}, CapitalCase{0x11, ""}, CapitalCase{0x12, ""}, CapitalCase{0x31, ""},
                    CapitalCase{0x33, ""}, CapitalCase{0x38, ""}, CapitalCase{0x45, ""}, CapitalCase{0x60, ""},
                    CapitalCase{0x62, ""}, CapitalCase{0xC9, ""}, CapitalCase{0x1B, ""}, CapitalCase{0, ""},
                    CapitalCase{0x132, ""}, CapitalCase{0x10032, ""}, CapitalCase{0xFFFFFFFF, ""}));

}  // namespace
