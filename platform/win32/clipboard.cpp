#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"

static_assert(platform::kClipboardText == CF_TEXT);
static_assert(platform::kGmemMoveable == GMEM_MOVEABLE);
static_assert(platform::kGmemZeroInit == GMEM_ZEROINIT);

namespace platform {

unsigned RegisterClipboardFormatA(const std::string& name) {
    return ::RegisterClipboardFormatA(name.c_str());
}

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

}  // namespace platform
