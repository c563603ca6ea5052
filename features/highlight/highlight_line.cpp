#include "features/highlight/highlight_line.h"

#include "app/configuration_file.h"
#include "features/highlight/recolour_html.h"
#include "inject/html_clipboard.h"
#include "inject/key_macro.h"
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
constexpr unsigned kClipboardSettleMs = 50;
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

}  // namespace

std::string HighlightColourForKey(unsigned virtualKey) {
    for (const HighlightColour& colour : kHighlightColours)
        if (colour.virtualKey == virtualKey) return colour.name;
    return "";
}

void HighlightCurrentLine(platform::WindowHandle owner, const std::string& colourName) {
    SendKeyMacro(kSelectAndCopyLine);
    platform::Sleep(kClipboardSettleMs);
    std::string text = ReadHtmlClipboard(owner);
    if (text.empty()) {
        platform::MessageBeep(0);
        return;
    }
    if (!CutTail(text)) {
        platform::MessageBeep(0);
        platform::MessageBoxA(nullptr, text, BaseName(), kUnexpectedTextStyle);
    }
    text = RecolourHtml(text, colourName);
    FixHtmlOffsets(text);
    WriteHtmlClipboard(owner, text);
    platform::Sleep(kClipboardSettleMs);
}
