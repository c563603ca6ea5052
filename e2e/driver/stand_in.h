// The stand-in target as the tests see it: a copy started in a folder of its
// own, its window, its edit control and the log it writes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct StandIn {
    std::string folder;
    std::string log;
    std::string keyLog;  // every key of the input stream, with the modifiers down then
    HANDLE process = nullptr;
    HWND window = nullptr;
    HWND edit = nullptr;
    bool ready = false;  // started, in front, its edit control focused
};

// Copies stand_in.exe (beside the test program) into a fresh folder, starts
// it there under the caption, with more command-line text if any, and waits
// until it says READY and is in front.
StandIn StartStandIn(const std::string& caption, const std::string& moreArguments = "");
void EndStandIn(StandIn& standIn);

// The keys of the stream logged at or after line `from` of the key log, as
// "DOWN vk=0x24 mods=C" (mods "-" when none is down).
std::vector<std::string> StreamKeys(const StandIn& standIn, size_t from = 0);

// Another program on the clipboard, with clipboard_listener.exe's options:
// "--hold MS" (a history that holds the clipboard after every change),
// "--history" (one that records every change), "--copy" (the user's copy).
struct ClipboardListener {
    std::string log;
    HANDLE process = nullptr;
};
ClipboardListener StartClipboardListener(const std::string& options);
void EndClipboardListener(ClipboardListener& listener);
// The user's copy as its program logged it: each format and its block.
std::vector<std::pair<UINT, std::string>> CopiedBlocks(const ClipboardListener& copier);

// A command-line argument in double quotes.
std::string Quoted(const std::string& argument);

// Bits of a key line's flags (the top byte of the message's lParam).
constexpr unsigned kExtendedKey = 0x01;
constexpr unsigned kAltHeld = 0x20;

// The lines the stand-in writes for a key reaching its edit control, as an
// injected event without a repeat arrives: the scan code is the layout's,
// and a key-up adds its previous-state and transition bits.
std::string KeyDownLine(WORD virtualKey, unsigned flags = 0);
std::string KeyUpLine(WORD virtualKey, unsigned flags = 0);
std::string CharLine(unsigned utf16);

// The fragment an "HTML Format" reader takes: from StartFragment to
// EndFragment, by the document's own offsets (each checked against its
// marker), without the line ends around it.
std::string FragmentOf(const std::string& document);

// The "HTML Format" document of the first paste logged at or after line
// `from`; nullopt (with a failure) when none came or it carried none.
std::optional<std::string> PastedDocument(const StandIn& standIn, size_t from);

// The selection of the stand-in's edit control, as character positions
// (texts shorter than 65536 characters).
void EditSelection(const StandIn& standIn, DWORD& start, DWORD& end);

}  // namespace e2e
