#include "features/accents/capital_table.h"

namespace {

struct CapitalRow {
    unsigned virtualKey;
    const char* capital;  // Windows-1252
};

// The keys of é, à, ç, è and ù on the French layout.
constexpr CapitalRow kCapitals[] = {
    {0x32, "\xC9"}, {0x30, "\xC0"}, {0x39, "\xC7"}, {0x37, "\xC8"}, {0xC0, "\xD9"},
};

}  // namespace

std::string CapitalForKey(unsigned virtualKey) {
    for (const CapitalRow& row : kCapitals)
        if (row.virtualKey == virtualKey) return row.capital;
    return "";
}
