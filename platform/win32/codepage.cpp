#include <windows.h>

#include <climits>

#include "platform/codepage.h"

static_assert(platform::kCodePageAnsi == CP_ACP);
static_assert(platform::kCodePageUtf8 == CP_UTF8);
static_assert(platform::kMbPrecomposed == MB_PRECOMPOSED);
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace platform {

// The system refuses a length of 0 (and anything beyond an int), so those
// inputs give an empty result rather than an error.
std::u16string MultiByteToWideChar(unsigned codePage, uint32_t flags, const std::string& bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    int length = static_cast<int>(bytes.size());
    int units = ::MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (units <= 0) return {};
    std::u16string text(units, u'\0');
    units =
        ::MultiByteToWideChar(codePage, flags, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), units);
    text.resize(units > 0 ? units : 0);
    return text;
}

std::string WideCharToMultiByte(unsigned codePage, const std::u16string& text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    int length = static_cast<int>(text.size());
    int size = ::WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string bytes(size, '\0');
    size = ::WideCharToMultiByte(codePage, 0, wide, length, bytes.data(), size, nullptr, nullptr);
    bytes.resize(size > 0 ? size : 0);
    return bytes;
}

bool EqualIgnoringCase(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size() || a.size() > INT_MAX) return false;
    if (a.empty()) return true;
    int length = static_cast<int>(a.size());
    return ::CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.data()), length,
                                  reinterpret_cast<const wchar_t*>(b.data()), length, TRUE) == CSTR_EQUAL;
}

void CharUpperBuffA(std::string& text) { ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size())); }

void CharLowerBuffA(std::string& text) { ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size())); }

}  // namespace platform
