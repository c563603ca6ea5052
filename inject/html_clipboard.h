// The "HTML Format" clipboard document: read, offsets fixed, written, and
// built around a fragment.
#pragma once

#include <string>

#include "platform/types.h"

// The window every clipboard operation of the program opens the clipboard
// with: its own tray window. With no owner, Windows lets SetClipboardData
// fail after EmptyClipboard; with the target's window, the target would take
// the new content for its own.
extern platform::WindowHandle gClipboardOwner;

// Another program (a clipboard history, a remote desktop) may hold the
// clipboard for a moment after every change: each open is retried this long.
constexpr unsigned kClipboardBusyWaitMs = 500;
// How long a program told of a change (a clipboard history) is given to
// take the clipboard before the program looks whether it is free.
constexpr unsigned kClipboardSettleMs = 50;

// OpenClipboard with the program's window, retried while another program
// holds it, at most waitMs by the clock.
bool OpenClipboardPatiently(unsigned waitMs = kClipboardBusyWaitMs);

// Empty when there is no document or the clipboard stayed held.
std::string ReadHtmlClipboard();

// One reading of the document, with what the clipboard showed while it was
// open: who placed it and which change it is. `opened` false: it stayed held
// for waitMs, and nothing else is known.
struct HtmlClipboardReading {
    bool opened;
    platform::WindowHandle owner;
    unsigned sequence;
    std::string document;
};
HtmlClipboardReading ReadHtmlClipboardWithin(unsigned waitMs);
void FixHtmlOffsets(std::string& document);
// True once the document is on the clipboard; false leaves it as it was
// (held by another program) or empty (no memory for the document).
bool WriteHtmlClipboard(const std::string& document);
// False for an empty fragment (nothing is touched) and when the write failed.
bool PutHtmlFragment(const std::string& fragment);
// Before the paste keys: a clipboard history takes the clipboard after every
// change, the program's own write included, and a note program that meets it
// busy pastes nothing. Returns once the clipboard is free, or after the busy
// wait: the keys go then all the same, as the note program may wait itself.
void LetClipboardSettle();
