#include "features/accents/capital_table.h"

#include <gtest/gtest.h>

namespace {

struct CapitalCase {
    unsigned virtualKey;
    std::string capital;
};

void PrintTo(const CapitalCase& c, std::ostream* out) { *out << c.virtualKey; }

class CapitalForKeyTest : public testing::TestWithParam<CapitalCase> {};

TEST_P(CapitalForKeyTest, Types) {
    EXPECT_EQ(CapitalForKey(GetParam().virtualKey), GetParam().capital);
}

INSTANTIATE_TEST_SUITE_P(
    FrenchKeys, CapitalForKeyTest,
    testing::Values(CapitalCase{0x32, "\xC9"}, CapitalCase{0x30, "\xC0"}, CapitalCase{0x39, "\xC7"},
                    CapitalCase{0x37, "\xC8"}, CapitalCase{0xC0, "\xD9"}));

// Shift, the other digits, letters, the keypad's digits and codes that only
// share a low byte with a key of the table type nothing.
INSTANTIATE_TEST_SUITE_P(
    OtherKeys, CapitalForKeyTest,
    testing::Values(CapitalCase{0x10, ""}, CapitalCase{0x11, ""}, CapitalCase{0x12, ""}, CapitalCase{0x31, ""},
                    CapitalCase{0x33, ""}, CapitalCase{0x38, ""}, CapitalCase{0x45, ""}, CapitalCase{0x60, ""},
                    CapitalCase{0x62, ""}, CapitalCase{0xC9, ""}, CapitalCase{0x1B, ""}, CapitalCase{0, ""},
                    CapitalCase{0x132, ""}, CapitalCase{0x10032, ""}, CapitalCase{0xFFFFFFFF, ""}));

}  // namespace
