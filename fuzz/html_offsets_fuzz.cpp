// Arbitrary bytes as an "HTML Format" document: fixing the offsets keeps the
// length, writes only digits, and a second pass changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "inject/html_clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string original(reinterpret_cast<const char*>(data), size);
    std::string once = original;
    FixHtmlOffsets(once);
    if (once.size() != original.size()) __builtin_trap();
    for (size_t i = 0; i < size; ++i)
        if (once[i] != original[i] && (once[i] < '0' || once[i] > '9')) __builtin_trap();
    std::string twice = once;
    FixHtmlOffsets(twice);
    if (twice != once) __builtin_trap();
    return 0;
}
