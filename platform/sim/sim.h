// The simulated platform, as the native tests see it: a new machine at each
// Reset(), with a call log, a clock that only sleeps move, keyboard layout
// tables, windows with titles and a foreground, a clipboard with formats,
// atoms and hotkeys, files and folders, the profile functions' rules, and
// the system's icon libraries with the icons the program holds.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/types.h"

namespace sim {

using platform::WindowHandle;

// Back to a new machine: empty log, clock at 0, US layout, no windows, an
// empty clipboard nobody holds, no atoms, no hotkeys, no files, module path
// "C:\Vantor\Vantor.exe", local date 2026-12-07, no RT_RCDATA resources but
// the default configuration (id 10), the icon libraries below and no icon
// taken.
void Reset();

// ---- The call log --------------------------------------------------------

// One platform call: its Win32 name (e.g. "SendInput", "OpenClipboard",
// "Sleep"), a short text of its arguments, and the clock when it was made.
struct Call {
    std::string name;
    std::string detail;
    unsigned at;
};
const std::vector<Call>& Calls();
void ClearCalls();
// Names of the logged calls, in order (convenient for expectations).
std::vector<std::string> CallNames();

// Milliseconds slept since Reset().
unsigned Now();
// The program's message loop runs this long: other programs act, and the
// program's timers fire through this procedure.
void RunMessageLoop(unsigned milliseconds);
void DeliverTimersTo(void (*handler)(uintptr_t id));
bool TimerRunning(uintptr_t id);

// ---- Keyboard -----------------------------------------------------------

// US and French AZERTY as Windows answers; the others from xkb-data's
// symbols (be, de, ch(fr), ca(fr), es, it), AltGr levels included, with the
// virtual-key codes Windows gives their keys.
enum class Layout { UnitedStates, French, Belgian, German, SwissFrench, CanadianFrench, Spanish, Italian };
// The layout of every thread, ours and the other programs'.
void SetKeyboardLayout(Layout layout);
// Override one character's answer to VkKeyScanExA (-1: no key).
void SetKeyForCharacter(unsigned char character, int16_t answer);
// Every SendInput batch since Reset(), in order.
const std::vector<std::vector<platform::KeyEvent>>& SentInputs();
constexpr unsigned kForever = ~0u;
// The user holds this key (a left or right modifier such as 0xA2, or any
// other key) from now for `milliseconds` of the clock, or until a key-up of
// it is injected. IsKeyDown sees it, and so does the copy below.
void HoldKey(unsigned virtualKey, unsigned milliseconds = kForever);

// ---- Windows ------------------------------------------------------------

// The process of the program under test; every other window added belongs
// to a process of its own unless told otherwise.
constexpr unsigned kProgramProcess = 1;
WindowHandle AddWindow(const std::string& title, unsigned process = 0);
// A child window of `parent` (at any depth), in a process of its own unless
// told otherwise.
WindowHandle AddChildWindow(WindowHandle parent, unsigned process = 0);
void SetForeground(WindowHandle window);  // null: nothing in front
void CloseWindow(WindowHandle window);    // its title becomes empty, foreground fails
struct MessageBoxShown {
    std::string text;
    std::string caption;
    unsigned style;
};
const std::vector<MessageBoxShown>& MessageBoxes();
// The button MessageBoxA answers from now on (IDOK, 1, after Reset()).
void SetMessageBoxAnswer(int button);
const std::vector<unsigned>& Beeps();
const std::vector<std::string>& ShellOpened();

// ---- Clipboard ----------------------------------------------------------

// Format id -> the bytes of its block, NUL included when the writer put one.
const std::map<unsigned, std::string>& ClipboardContent();
// Place raw bytes as if another program had (no NUL is added).
void SetClipboardData(unsigned format, const std::string& block);
// Another process holds the clipboard open: OpenClipboard fails.
void HoldClipboardElsewhere(bool held);
// ... for this many milliseconds of the clock from now;
void HoldClipboardElsewhereFor(unsigned milliseconds);
// ... for this long after every change, as a clipboard history does.
void HoldClipboardAfterEveryChange(unsigned milliseconds);
// The window in front answers Ctrl+C, `delay` ms of the clock after the
// keys arrive, by replacing the clipboard with this block (as its copy
// does); kForever: it never answers. The clipboard's owner is then `owner`,
// or the window in front when none is given (an Office program owns it
// through a window of its own process, a Store app from the process of a
// child window of its frame).
void AnswerCopyWith(unsigned format, const std::string& block, unsigned delay = 0, WindowHandle owner = nullptr);
// Another program replaces the clipboard with this block `delay` ms of the
// clock from now, whatever keys arrive: a clipboard history putting an
// entry back, a program that held the clipboard letting it go, a browser
// or a remote desktop placing HTML. Owned by `owner` (none: opened without
// a window).
void PlaceFromAnotherProgram(unsigned format, const std::string& block, unsigned delay, WindowHandle owner = nullptr);
unsigned ClipboardSequenceNumber();
// The next GlobalAlloc for the clipboard fails.
void FailNextAllocation();
// The last GlobalAlloc flags used for each format written.
const std::map<unsigned, unsigned>& ClipboardAllocFlags();
// Whether the clipboard is open right now (a test can see an unclosed one).
bool ClipboardIsOpen();
// A format's data as a reader would get it (synthesised from another one if
// need be), without opening the clipboard or asking for a promise.
bool PeekClipboard(unsigned format, std::string& block);
// The formats the program promised and nobody has read yet.
std::vector<unsigned> PromisedFormats();

struct ClipboardBlock {
    unsigned format;
    std::string block;
};
// Another program (a browser, an Office program) copies: its formats in this
// order, each rendered only when first read, taking `renderMs` of the clock,
// when renderMs is not 0.
struct OtherFormat {
    unsigned format;
    std::string block;
    unsigned renderMs = 0;
};
void CopyFromAnotherProgram(const std::vector<OtherFormat>& formats);
// The owner window's messages (WM_RENDERFORMAT, WM_RENDERALLFORMATS,
// WM_DESTROYCLIPBOARD) go to this procedure while the program owns the
// clipboard.
void DeliverOwnerMessagesTo(void (*handler)(unsigned message, unsigned format));
// The program's owner window is destroyed (the program ends): promises
// still open are rendered (WM_RENDERALLFORMATS) or dropped.
void DestroyClipboardOwner();
// A clipboard history: every change is read whole at once, except content
// marked for no monitoring or no history, unless it ignores those marks.
void RunClipboardHistory(bool honoursExclusion);
const std::vector<std::vector<ClipboardBlock>>& HistoryRecords();
// The window in front reads on Ctrl+V as a note program does: each format
// in its own opening, `afterMs` after the one before (the first after the
// keys).
struct PasteRead {
    unsigned afterMs;
    unsigned format;
};
void ReadOnPaste(const std::vector<PasteRead>& reads);
struct PasteReadResult {
    unsigned format;
    bool found;
    std::string bytes;  // the whole block
    unsigned at;
    std::vector<unsigned> listed;  // the formats listed at that opening
};
const std::vector<PasteReadResult>& PasteReads();

// ---- Atoms and hotkeys --------------------------------------------------

struct Hotkey {
    WindowHandle window;
    int id;
    unsigned modifiers;
    unsigned virtualKey;
};
const std::vector<Hotkey>& RegisteredHotkeys();
// Another program has registered this combination: RegisterHotKey fails.
void TakeHotkeyElsewhere(unsigned modifiers, unsigned virtualKey);
// A system older than the no-repeat flag: a registration carrying it fails.
void RefuseNoRepeat();
// Names of the atoms alive now.
std::vector<std::string> LiveAtoms();

// ---- Files --------------------------------------------------------------

void SetModuleFileName(const std::string& path);
void SetFile(const std::string& path, const std::string& bytes);
bool GetFile(const std::string& path, std::string& bytes);
void AddFolder(const std::string& path);
// Writes to this file, or to new files in this folder, fail.
void SetReadOnly(const std::string& path);
void SetRcData(unsigned id, const std::string& bytes);

// ---- Icons --------------------------------------------------------------

// The system folder's library of this name (any case) holds icons 0 to
// icons-1; 0 is a library without icons, or none at all. A new machine has
// Wine's: shell32.dll with 184 icons, nothing else.
void SetIconLibrary(const std::string& library, unsigned icons);
// Icons extracted and not yet destroyed.
unsigned LiveIcons();

// ---- Time ---------------------------------------------------------------

void SetLocalDate(platform::LocalDate date);

}  // namespace sim
