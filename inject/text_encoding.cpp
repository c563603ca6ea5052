#include "inject/text_encoding.h"

#include "platform/codepage.h"

namespace {

template <typename Text>
Text BeforeFirstNul(const Text& text) {
    return text.substr(0, text.find(typename Text::value_type(0)));
}

// The platform converts every byte it is given, NULs included, so the cut at
// the first NUL that the conversions promise is made here, on both sides.
std::string Convert(const std::string& text, unsigned from, unsigned to) {
    std::string input = BeforeFirstNul(text);
    if (input.empty()) return {};
    std::u16string wide = BeforeFirstNul(platform::MultiByteToWideChar(from, 0, input));
    return BeforeFirstNul(platform::WideCharToMultiByte(to, wide));
}

}  // namespace

std::string Utf8ToAnsi(const std::string& text) {
    return Convert(text, platform::kCodePageUtf8, platform::kCodePageAnsi);
}

std::string AnsiToUtf8(const std::string& text) {
    return Convert(text, platform::kCodePageAnsi, platform::kCodePageUtf8);
}
