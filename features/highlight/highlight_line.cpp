#include "features/highlight/highlight_line.h"

#include <algorithm>
#include <vector>

#include "app/configuration_file.h"
#include "features/highlight/recolour_html.h"
#include "inject/clipboard_keeper.h"
#include "inject/html_clipboard.h"
#include "inject/key_macro.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktop.h"

namespace {

constexpr char kSelectAndCopyLine[] = "{HOME}{SHIFT_D}{END}{SHIFT_U}{CTRL_D}c{CTRL_U}";
constexpr char kLeaveTheSelection[] = "{END}";
constexpr unsigned kCopyPollMs = 10;
constexpr unsigned kUnexpectedTextStyle = 0x12000;  // MB_OK | MB_TASKMODAL | MB_SETFOREGROUND

// Drops whatever the copying application put behind the document's end,
// keeping "</html>" and the line break after it. False when there is no end.
bool CutTail(std::string& text) {
    size_t end = text.find("</html>");
    if (end == std::string::npos) return false;
    size_t lineBreak = text.find("\r\n", end + 7);
    if (lineBreak != std::string::npos) text.resize(lineBreak + 2);
    return true;
}

// Office programs own the clipboard through a window of their own process,
// a Store app's copy comes from the process of a child window of its frame,
// and a copier that opened the clipboard without a window (or whose window
// is gone) owns nothing. Any other owner is another program (a browser, a
// sync tool, a remote desktop) whose HTML must not be pasted over the
// user's line. Started from the tray menu there is no target to tell by.
bool PlacedByTarget(platform::WindowHandle owner, platform::WindowHandle target) {
    if (!owner || !target) return true;
    const unsigned process = platform::GetWindowProcessId(owner);
    if (process == 0 || process == platform::GetWindowProcessId(target)) return true;
    const std::vector<unsigned> children = platform::ChildWindowProcessIds(target);
    return std::find(children.begin(), children.end(), process) != children.end();
}

// The line is on the clipboard only once the clipboard has changed since
// the copy keys went: before that it holds whatever was copied last. A
// change without a document, or placed by another program, is not the copy:
// the wait goes on for the next. A change found with the clipboard still
// held (a clipboard history reading it) is looked at again. Empty when none
// came in time; every wait inside ends by the same deadline.
std::string WaitForCopiedDocument(unsigned sequence, platform::WindowHandle target) {
    const unsigned start = platform::GetTickCount();
    for (unsigned waited = 0;; waited = platform::GetTickCount() - start) {
        if (platform::GetClipboardSequenceNumber() != sequence) {
            HtmlClipboardReading reading = ReadHtmlClipboardWithin(kCopyWaitMs - std::min(waited, kCopyWaitMs));
            if (reading.opened) {
                sequence = reading.sequence;
                if (!reading.document.empty() && PlacedByTarget(reading.owner, target)) return reading.document;
            }
            waited = platform::GetTickCount() - start;
        }
        if (waited >= kCopyWaitMs) return {};
        platform::Sleep(std::min(kCopyPollMs, kCopyWaitMs - waited));
    }
}

// Whatever the copy left goes: the user's clipboard comes back, and the
// line is no longer selected.
bool GiveUp() {
    SendKeyMacro(kLeaveTheSelection);
    AbandonResult();
    platform::MessageBeep(0);
    return false;
}

}  // namespace

std::string HighlightColourForKey(unsigned virtualKey) {
    for (const HighlightColour& colour : kHighlightColours)
        if (colour.virtualKey == virtualKey) return colour.name;
    return "";
}

// The number is read after the wait for held modifiers, just before the
// keys go: a change in that wait is not the copy.
bool HighlightCurrentLine(platform::WindowHandle target, const std::string& colourName) {
    SaveUserClipboard();
    const std::vector<platform::KeyEvent> releases = WaitForHeldModifiers();
    const unsigned sequenceBefore = platform::GetClipboardSequenceNumber();
    SendKeyMacro(kSelectAndCopyLine, releases);
    std::string text = WaitForCopiedDocument(sequenceBefore, target);
    if (text.empty()) return GiveUp();
    if (!CutTail(text)) {
        platform::MessageBeep(0);
        platform::MessageBoxA(nullptr, text, BaseName(), kUnexpectedTextStyle);
    }
    text = RecolourHtml(text, colourName);
    FixHtmlOffsets(text);
    return WriteHtmlClipboard(text) || GiveUp();
}
