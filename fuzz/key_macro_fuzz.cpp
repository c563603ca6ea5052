// Arbitrary bytes as a key macro, against a fixed layout: no crash, and the
// events stay within what the notation can produce.
#include <cstddef>
#include <cstdint>
#include <string>

#include "inject/key_macro.h"

namespace {

// Letters plain, digits with Shift, punctuation with AltGr, the rest
// without a key: every kind of character answer occurs.
const KeyLayout& FixedLayout() {
    static const KeyLayout layout{
        [](unsigned char c) -> int16_t {
            if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
            if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
            if (c >= '0' && c <= '9') return static_cast<int16_t>(0x100 | c);
            if (c == '@' || c == '#' || c == '~') return static_cast<int16_t>(0x600 | c);
            if (c == ' ') return 0x20;
            if (c == '!') return static_cast<int16_t>(0xFF31);  // every shift bit set
            return -1;
        },
        [](uint16_t key) { return static_cast<uint16_t>(key ^ 0x5A); },
        [](unsigned char c) { return static_cast<uint16_t>(c == 0x80 ? 0x20AC : c); },
    };
    return layout;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string macro(reinterpret_cast<const char*>(data), size);
    std::vector<platform::KeyEvent> events = KeyMacroEvents(macro, FixedLayout());
    // At most Shift, Ctrl and Alt around a key: eight events a byte.
    if (events.size() > 8 * size) __builtin_trap();
    for (const platform::KeyEvent& event : events) {
        if (event.flags > 7) __builtin_trap();
        bool unicode = event.flags & platform::kKeyEventUnicode;
        if (unicode && (event.virtualKey != 0 || event.flags != platform::kKeyEventUnicode))
            __builtin_trap();
        if (!unicode && event.scanCode != (event.virtualKey ^ 0x5A)) __builtin_trap();
    }
    return 0;
}
