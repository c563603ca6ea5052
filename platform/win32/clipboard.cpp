#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/clipboard.h"

static_assert(platform::kClipboardText == CF_TEXT);
static_assert(platform::kClipboardUnicodeText == CF_UNICODETEXT);
static_assert(platform::kRenderFormatMessage == WM_RENDERFORMAT);
static_assert(platform::kRenderAllFormatsMessage == WM_RENDERALLFORMATS);
static_assert(platform::kDestroyClipboardMessage == WM_DESTROYCLIPBOARD);
static_assert(platform::kGmemMoveable == GMEM_MOVEABLE);
static_assert(platform::kGmemZeroInit == GMEM_ZEROINIT);

namespace platform {

unsigned RegisterClipboardFormatA(const std::string& name) { return ::RegisterClipboardFormatA(name.c_str()); }

bool OpenClipboard(WindowHandle owner) { return ::OpenClipboard(static_cast<HWND>(owner)); }

unsigned GetClipboardSequenceNumber() { return ::GetClipboardSequenceNumber(); }

bool CloseClipboard() { return ::CloseClipboard(); }

bool EmptyClipboard() { return ::EmptyClipboard(); }

bool GetClipboardBytes(unsigned format, std::string& bytes) {
    HANDLE block = ::GetClipboardData(format);
    if (!block) return false;
    const char* data = static_cast<const char*>(::GlobalLock(block));
    if (!data) return false;
    // Another program's block need not hold a NUL at all: never read past
    // what the system says the block holds.
    SIZE_T size = ::GlobalSize(block);
    const void* nul = std::memchr(data, 0, size);
    bytes.assign(data, nul ? static_cast<const char*>(nul) - data : size);
    ::GlobalUnlock(block);
    return true;
}

bool PutClipboardBytes(unsigned format, const std::string& bytes, unsigned allocFlags) {
    HGLOBAL block = ::GlobalAlloc(allocFlags, bytes.size() + 1);
    if (!block) return false;
    char* data = static_cast<char*>(::GlobalLock(block));
    if (!data) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    data[bytes.size()] = 0;
    ::GlobalUnlock(block);
    // The clipboard owns the block only once it has accepted it (it refuses
    // when it is not open).
    if (::SetClipboardData(format, block)) return true;
    ::GlobalFree(block);
    return false;
}

std::vector<unsigned> ClipboardFormats() {
    std::vector<unsigned> formats;
    for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format))
        formats.push_back(format);
    return formats;
}

std::string GetClipboardFormatNameA(unsigned format) {
    char name[256];
    int length = ::GetClipboardFormatNameA(format, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

bool GetClipboardBlock(unsigned format, std::string& bytes, size_t limit) {
    HANDLE block = ::GetClipboardData(format);
    SIZE_T size = block ? ::GlobalSize(block) : 0;
    bytes.clear();
    if (size == 0) return false;
    if (size > limit) return true;
    const char* data = static_cast<const char*>(::GlobalLock(block));
    if (!data) return false;
    bytes.assign(data, size);
    ::GlobalUnlock(block);
    return true;
}

bool PutClipboardBlock(unsigned format, const std::string& bytes) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    char* data = block ? static_cast<char*>(::GlobalLock(block)) : nullptr;
    if (!data) {
        if (block) ::GlobalFree(block);
        return false;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    if (::SetClipboardData(format, block)) return true;
    ::GlobalFree(block);
    return false;
}

bool PromiseClipboardFormat(unsigned format) {
    ::SetClipboardData(format, nullptr);
    // A promise gives no handle back to tell success by; the format listed
    // is what counts.
    return ::IsClipboardFormatAvailable(format);
}

WindowHandle GetClipboardOwner() { return ::GetClipboardOwner(); }

WindowHandle GetOpenClipboardWindow() { return ::GetOpenClipboardWindow(); }

}  // namespace platform
