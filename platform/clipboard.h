// The clipboard. Each operation of the program opens it, does its work and
// closes it again; nothing holds it between calls.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

constexpr unsigned kClipboardText = 1;          // CF_TEXT
constexpr unsigned kClipboardUnicodeText = 13;  // CF_UNICODETEXT
constexpr unsigned kGmemMoveable = 2;           // GMEM_MOVEABLE
constexpr unsigned kGmemZeroInit = 0x40;        // GMEM_ZEROINIT

unsigned RegisterClipboardFormatA(const std::string& name);  // 0 on failure
bool OpenClipboard(WindowHandle owner);
// GetClipboardSequenceNumber: changes whenever any program changes the
// clipboard, so a reader can tell new content from what was there before.
unsigned GetClipboardSequenceNumber();
bool CloseClipboard();
bool EmptyClipboard();

// GetClipboardData, GlobalLock, copy, GlobalUnlock. The bytes run from the
// start of the block to its first NUL, and never past the end of the block.
// False when there is no such data or the block does not lock.
bool GetClipboardBytes(unsigned format, std::string& bytes);

// GlobalAlloc(flags, size + 1), GlobalLock, copy the bytes and a NUL,
// GlobalUnlock, SetClipboardData. False when the block cannot be allocated or
// locked; nothing is handed to the clipboard then.
bool PutClipboardBytes(unsigned format, const std::string& bytes, unsigned allocFlags);

// EnumClipboardFormats while the clipboard is open: the formats in the order
// they were placed, then those the system synthesises from them (CF_TEXT
// beside CF_UNICODETEXT, CF_DIBV5 beside CF_DIB, ...).
std::vector<unsigned> ClipboardFormats();
// GetClipboardFormatNameA: a registered format's name; "" for the others.
std::string GetClipboardFormatNameA(unsigned format);
// A global memory block whole (GlobalSize bytes, NULs and all), as a saved
// copy must be put back. False when there is no such data or it is not
// global memory. A block larger than `limit` is not copied: true, with
// `bytes` left empty (no block is empty), so that the caller can tell.
bool GetClipboardBlock(unsigned format, std::string& bytes, size_t limit);
// The block exactly as given, no NUL added.
bool PutClipboardBlock(unsigned format, const std::string& bytes);
// SetClipboardData(format, NULL): promised, not placed. Whoever reads it
// first makes the system send the owner window WM_RENDERFORMAT, which places
// it (PutClipboardBytes without opening) while the reader waits.
bool PromiseClipboardFormat(unsigned format);
WindowHandle GetClipboardOwner();
// The window that has the clipboard open now (the reader, inside
// WM_RENDERFORMAT); null when none, or opened without a window.
WindowHandle GetOpenClipboardWindow();

// What the system sends the clipboard's owner window.
constexpr unsigned kRenderFormatMessage = 0x0305;      // WM_RENDERFORMAT
constexpr unsigned kRenderAllFormatsMessage = 0x0306;  // WM_RENDERALLFORMATS
constexpr unsigned kDestroyClipboardMessage = 0x0307;  // WM_DESTROYCLIPBOARD

}  // namespace platform
