#include "features/accents/capital_table.h"

#include "platform/keyboard.h"

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

std::string CapitalForKey(unsigned virtualKey, platform::LayoutHandle layout) {
    // Swiss and Canadian French put these letters on other keys than France.
    std::u16string typed = virtualKey <= 0xFF ? platform::ToUnicodeEx(virtualKey, 0, layout) : u"";
    if (typed.size() == 1) {
        for (char16_t letter : {u'\u00E9', u'\u00E0', u'\u00E7', u'\u00E8', u'\u00F9'})
            if (typed[0] == letter) return std::string(1, static_cast<char>(letter - 0x20));
    }
    for (const CapitalRow& row : kCapitals)
        if (row.virtualKey == virtualKey) return row.capital;
    return "";
}
