// The clipboard. Each operation of the program opens it, does its work and
// closes it again; nothing holds it between calls.
#pragma once

#include <string>

#include "platform/types.h"

namespace platform {

constexpr unsigned kClipboardText = 1;   // CF_TEXT
constexpr unsigned kGmemMoveable = 2;    // GMEM_MOVEABLE
constexpr unsigned kGmemZeroInit = 0x40; // GMEM_ZEROINIT

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

}  // namespace platform
