#include "features/highlight/highlight_line.h"

#include "app/configuration_file.h"
#include "features/highlight/recolour_html.h"
#include "inject/clipboard_keeper.h"
#include "inject/html_clipboard.h"
#include "inject/key_macro.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktop.h"

const HighlightColour kHighlightColours[5] = {
    {96, "transparent", 255, 255, 255},
    {97, "aqua", 0, 255, 255},
    {98, "lime", 0, 255, 0},
    {99, "fuchsia", 255, 0, 255},
    {100, "yellow", 255, 255, 0},
};

std::string gPendingColour;

namespace {

constexpr char kSelectAndCopyLine[] = "{HOME}{SHIFT_D}{END}{SHIFT_U}{CTRL_D}c{CTRL_U}";
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

// The line is on the clipboard only once the clipboard has changed since
// the copy keys went: before that it holds whatever was copied last. A
// change without a document is not the copy but another program's (one
// that held the clipboard open letting it go): the wait goes on for the
// next. Empty when none came in time.
std::string WaitForCopiedDocument(unsigned sequence) {
    const unsigned start = platform::GetTickCount();
    for (;;) {
        const unsigned current = platform::GetClipboardSequenceNumber();
        if (current != sequence) {
            sequence = current;
            std::string document = ReadHtmlClipboard();
            if (!document.empty()) return document;
        }
        if (platform::GetTickCount() - start >= kCopyWaitMs) return {};
        platform::Sleep(kCopyPollMs);
    }
}

// Whatever the copy left goes: the user's clipboard comes back.
bool GiveUp() {
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

bool HighlightCurrentLine(const std::string& colourName) {
    SaveUserClipboard();
    const unsigned sequenceBefore = platform::GetClipboardSequenceNumber();
    SendKeyMacro(kSelectAndCopyLine);
    std::string text = WaitForCopiedDocument(sequenceBefore);
    if (text.empty()) return GiveUp();
    if (!CutTail(text)) {
        platform::MessageBeep(0);
        platform::MessageBoxA(nullptr, text, BaseName(), kUnexpectedTextStyle);
    }
    text = RecolourHtml(text, colourName);
    FixHtmlOffsets(text);
    return WriteHtmlClipboard(text) || GiveUp();
}
