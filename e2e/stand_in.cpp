// The stand-in target of the desktop tests: a window with a multi-line edit
// control that behaves, as far as the tests need, like a note program. It
// logs every key message its edit control receives, pastes "HTML Format"
// itself on Ctrl+V (Wine's controls cannot), and on Ctrl+C places its
// current line on the clipboard as a note program's HTML document.
//
//   stand_in.exe --title TEXT --log PATH [--text TEXT] [--highlighted] [--copy SHAPE]
//                [--copy-delay MS|never] [--paste-delay MS|never] [--read-gap MS] [--read-again MS]
//
// SHAPE makes Ctrl+C leave something other than the plain document: the
// documents OneNote's desktop program writes (onenote, onenote-highlighted:
// its header and head, the markers inside the paragraph, styled spans, UTF-8
// text), or what other programs or a damaged clipboard would: text-only,
// bitmap-only, nothing, no-nul (the document's block without its terminating
// NUL), huge (a 5 MB document), wrong-offsets, no-markers, no-html-end.
// --copy-delay answers Ctrl+C that much later, as a note program busy with
// a long page does, or never.
//
// Ctrl+V reads as a note program does: the formats listed, "HTML Format"
// and then CF_UNICODETEXT in openings of their own, --read-gap ms apart,
// --paste-delay ms after the keys (never: "PASTE IGNORED"); logged as PASTE,
// HTML, TEXT (UTF-8) and FORMATS (the ids listed); --read-again reads the
// document once more that much later ("AGAIN").
//
// Beside the log, PATH.keys records every key of the input stream, whoever
// it is for, with the modifiers down in the stream at that moment: a
// window's own key state does not show a modifier pressed while another
// program was in front.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "bench_log.h"

namespace {

constexpr UINT_PTR kReadyTimer = 1;

HWND gMain;
HWND gEdit;
WNDPROC gEditProc;
HANDLE gLog = INVALID_HANDLE_VALUE;
bool gHighlighted;
std::wstring gCopyShape;
int gCopyDelayMs;  // -1: never
bool gReadyLogged;
HANDLE gKeyLog = INVALID_HANDLE_VALUE;
constexpr UINT_PTR kCopyTimer = 2;
constexpr UINT_PTR kPasteTimer = 3;
constexpr UINT_PTR kTextTimer = 4;
constexpr UINT_PTR kAgainTimer = 5;
int gPasteDelayMs;  // -1: never
int gReadGapMs;
int gReadAgainMs;

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text, UINT codePage) {
    int size = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring out(size, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), out.data(), size);
    return out;
}

void Log(const std::string& line) { LogTo(gLog, line); }

// The clipboard is shared with the driver and the program under test, so a
// moment's wait for it is normal; a bounded one.
bool OpenClipboardPatiently() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(gMain)) return true;
        Sleep(10);
    }
    Log("CLIPBOARD BUSY");
    return false;
}

// Bytes of one clipboard format up to its first NUL; false when absent.
bool ClipboardBytes(UINT format, std::string& out) {
    HANDLE data = GetClipboardData(format);
    const char* bytes = data ? (const char*)GlobalLock(data) : nullptr;
    if (!bytes) return false;
    SIZE_T size = GlobalSize(data);
    SIZE_T length = 0;
    while (length < size && bytes[length]) ++length;
    out.assign(bytes, length);
    GlobalUnlock(data);
    return true;
}

UINT HtmlFormat() { return RegisterClipboardFormatA("HTML Format"); }

// The text a note program would insert: the fragment with its tags removed.
std::string FragmentText(const std::string& document) {
    const std::string start = "<!--StartFragment-->", end = "<!--EndFragment-->";
    size_t from = document.find(start), to = document.find(end);
    if (from == std::string::npos || to == std::string::npos || to < from) return "";
    std::string text;
    bool inTag = false;
    for (size_t i = from + start.size(); i < to; ++i) {
        char c = document[i];
        if (c == '<') inTag = true;
        else if (c == '>') inTag = false;
        else if (!inTag && c != '\r' && c != '\n') text += c;
    }
    return text;
}

// A note program's paste: it lists the formats, reads "HTML Format", then
// the Unicode text, each in an opening of its own, the text --read-gap ms
// later; the whole --paste-delay ms after Ctrl+V when told to read late.
std::string gPasteFormats;
bool gPastedHtml;

void ReadPastedText() {
    if (!OpenClipboardPatiently()) return;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* wide = data ? (const wchar_t*)GlobalLock(data) : nullptr;
    std::wstring text = wide ? std::wstring(wide, wcsnlen(wide, GlobalSize(data) / 2)) : L"";
    if (wide) GlobalUnlock(data);
    CloseClipboard();
    Log("TEXT " + (wide ? Hex(Utf8(text)) : std::string("NONE")));
    Log("FORMATS" + gPasteFormats);
    if (!gPastedHtml && text.size() <= 65536) SendMessageW(gEdit, EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
    if (gReadAgainMs) SetTimer(gMain, kAgainTimer, gReadAgainMs, nullptr);
}

// A program that reads the document once more, later in the same paste.
void ReadHtmlAgain() {
    if (!OpenClipboardPatiently()) return;
    std::string html;
    bool found = ClipboardBytes(HtmlFormat(), html);
    CloseClipboard();
    Log("AGAIN " + (found ? Hex(html) : std::string("NONE")));
}

void ReadPastedHtml() {
    if (!OpenClipboardPatiently()) return;
    gPasteFormats.clear();
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        gPasteFormats += " " + std::to_string(format);
    std::string html;
    gPastedHtml = ClipboardBytes(HtmlFormat(), html);
    CloseClipboard();
    Log("PASTE");
    Log("HTML " + (gPastedHtml ? Hex(html) : std::string("NONE")));
    std::wstring insert = Wide(FragmentText(html), CP_UTF8);
    // An edit control takes minutes over megabytes; what was pasted is logged.
    if (gPastedHtml && insert.size() <= 65536) SendMessageW(gEdit, EM_REPLACESEL, TRUE, (LPARAM)insert.c_str());
    if (gReadGapMs == 0) ReadPastedText();
    else SetTimer(gMain, kTextTimer, gReadGapMs, nullptr);
}

void Paste() {
    if (gPasteDelayMs < 0) Log("PASTE IGNORED");
    else if (gPasteDelayMs == 0) ReadPastedHtml();
    else SetTimer(gMain, kPasteTimer, gPasteDelayMs, nullptr);
}

std::wstring CurrentLine() {
    LRESULT line = SendMessageW(gEdit, EM_LINEFROMCHAR, (WPARAM)-1, 0);
    LRESULT first = SendMessageW(gEdit, EM_LINEINDEX, line, 0);
    LRESULT length = SendMessageW(gEdit, EM_LINELENGTH, first, 0);
    std::wstring text(length + 1, L'\0');
    *(WORD*)text.data() = (WORD)(length + 1);  // EM_GETLINE reads its room here
    LRESULT copied = SendMessageW(gEdit, EM_GETLINE, line, (LPARAM)text.data());
    text.resize(copied);
    return text;
}

std::string EscapeHtml(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

std::string TenDigits(size_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%010zu", value);
    return digits;
}

// A note program's document for one line: the header's offsets count bytes
// from the start, StartFragment just after its marker, EndFragment at the
// start of the closing marker.
std::string LineDocument(const std::wstring& line) {
    std::string text = EscapeHtml(Utf8(line));
    std::string paragraph = gHighlighted
        ? "<p style='margin:0in'><span style='background:aqua;mso-highlight:aqua'>" + text + "</span></p>"
        : "<p style='margin:0in'>" + text + "</p>";
    const std::string header =
        "Version:1.0\r\nStartHTML:@@@@@@@@@@\r\nEndHTML:##########\r\n"
        "StartFragment:$$$$$$$$$$\r\nEndFragment:%%%%%%%%%%\r\n";
    std::string body = "<html><body>\r\n<!--StartFragment-->";
    std::string fragment = "\r\n" + paragraph + "\r\n";
    std::string tail = "<!--EndFragment-->\r\n</body>\r\n</html>\r\n";
    std::string document = header + body + fragment + tail;
    size_t startFragment = header.size() + body.size();
    size_t endFragment = startFragment + fragment.size();
    document.replace(document.find("@@@@@@@@@@"), 10, TenDigits(header.size()));
    document.replace(document.find("##########"), 10, TenDigits(document.size()));
    document.replace(document.find("$$$$$$$$$$"), 10, TenDigits(startFragment));
    document.replace(document.find("%%%%%%%%%%"), 10, TenDigits(endFragment));
    return document;
}

// OneNote's desktop program: a blank line between the header and "<html"
// (where StartHTML points), Office namespaces and a Generator meta, the
// markers inside the paragraph around spans styled with font, colour and
// language.
std::string OneNoteDocument(const std::wstring& line) {
    std::string text = EscapeHtml(Utf8(line));
    std::string span = "<span lang=fr-FR style='font-family:Calibri;font-size:11.0pt;color:#1F3864'>" + text + "</span>";
    if (gCopyShape == L"onenote-highlighted")
        span = "<span style='background:yellow;mso-highlight:yellow'>" + span + "</span>";
    const std::string header =
        "Version:1.0\r\nStartHTML:@@@@@@@@@@\r\nEndHTML:##########\r\n"
        "StartFragment:$$$$$$$$$$\r\nEndFragment:%%%%%%%%%%\r\n";
    const std::string head =
        "\r\n<html xmlns:o=\"urn:schemas-microsoft-com:office:office\"\r\n"
        "xmlns:dt=\"uuid:C2F41010-65B3-11d1-A29F-00AA00C14882\"\r\n"
        "xmlns=\"http://www.w3.org/TR/REC-html40\">\r\n\r\n<head>\r\n"
        "<meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">\r\n"
        "<meta name=ProgId content=OneNote.File>\r\n"
        "<meta name=Generator content=\"Microsoft OneNote 15\">\r\n</head>\r\n\r\n"
        "<body lang=en-US style='font-family:Calibri;font-size:11.0pt'>\r\n"
        "<div style='direction:ltr'>\r\n\r\n<p style='margin:0in;font-family:Calibri;font-size:11.0pt'>"
        "<!--StartFragment-->";
    const std::string tail = "<!--EndFragment--></p>\r\n\r\n</div>\r\n\r\n</body>\r\n\r\n</html>\r\n";
    std::string document = header + head + span + tail;
    size_t startFragment = header.size() + head.size();
    document.replace(document.find("@@@@@@@@@@"), 10, TenDigits(header.size()));
    document.replace(document.find("##########"), 10, TenDigits(document.size()));
    document.replace(document.find("$$$$$$$$$$"), 10, TenDigits(startFragment));
    document.replace(document.find("%%%%%%%%%%"), 10, TenDigits(startFragment + span.size()));
    return document;
}

void PlaceBlock(UINT format, const std::string& bytes, bool withNul) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + (withNul ? 1 : 0));
    if (char* data = block ? (char*)GlobalLock(block) : nullptr) {
        memcpy(data, bytes.data(), bytes.size());
        if (withNul) data[bytes.size()] = 0;
        GlobalUnlock(block);
        SetClipboardData(format, block);
    }
}

// Five megabytes of paragraphs in one fragment, offsets right.
std::string HugeDocument(const std::wstring& line) {
    std::wstring lines;
    while (lines.size() < 5u << 20) lines += line + L" ";
    return LineDocument(lines);
}

std::string Without(std::string text, const std::string& part) {
    for (size_t at; (at = text.find(part)) != std::string::npos;) text.erase(at, part.size());
    return text;
}

void PlaceShape(const std::wstring& line) {
    const std::string document = LineDocument(line);
    if (gCopyShape == L"text-only") PlaceBlock(CF_TEXT, Utf8(line), true);
    else if (gCopyShape == L"bitmap-only") SetClipboardData(CF_BITMAP, CreateBitmap(8, 8, 1, 1, nullptr));
    else if (gCopyShape == L"nothing") return;
    else if (gCopyShape == L"no-nul") PlaceBlock(HtmlFormat(), document, false);
    else if (gCopyShape == L"huge") PlaceBlock(HtmlFormat(), HugeDocument(line), true);
    else if (gCopyShape == L"wrong-offsets") {
        std::string wrong = document;
        for (const char* key : {"StartHTML:", "EndHTML:", "StartFragment:", "EndFragment:"})
            wrong.replace(wrong.find(key) + strlen(key), 10, "0000000007");
        PlaceBlock(HtmlFormat(), wrong, true);
    } else if (gCopyShape == L"no-markers") {
        PlaceBlock(HtmlFormat(), Without(Without(document, "<!--StartFragment-->"), "<!--EndFragment-->"), true);
    } else if (gCopyShape == L"no-html-end") {
        PlaceBlock(HtmlFormat(), Without(document, "</html>"), true);
    } else if (gCopyShape.rfind(L"onenote", 0) == 0) {
        PlaceBlock(HtmlFormat(), OneNoteDocument(line), true);
    } else PlaceBlock(HtmlFormat(), document, true);
}

void Copy() {
    std::wstring line = CurrentLine();
    if (!OpenClipboardPatiently()) return;
    EmptyClipboard();
    PlaceShape(line);
    CloseClipboard();
    Log("COPY");
}

void LogKey(const char* kind, WPARAM key, LPARAM info) {
    char line[96];
    std::snprintf(line, sizeof line, "%s vk=0x%02X scan=0x%02X flags=0x%02X", kind, (unsigned)key,
                  (unsigned)((info >> 16) & 0xFF), (unsigned)((info >> 24) & 0xFF));
    Log(line);
}

void LogChar(const char* kind, WPARAM unit) {
    char line[32];
    std::snprintf(line, sizeof line, "%s 0x%04X", kind, (unsigned)unit);
    Log(line);
}

// Ctrl as the edit's own key messages tell it since it took the focus. Wine
// was seen to drop a Ctrl from the thread's key state between the Ctrl and
// the V of one injected batch, right after the window came to the front
// (it syncs the key state with the X server's, where no key is down), so a
// paste was typed as "v"; the messages' order is what a window on Windows
// sees through GetKeyState.
bool gControlSeen;

bool ControlHeld() { return gControlSeen || GetKeyState(VK_CONTROL) < 0; }

// The stream's own modifier state, kept from the events the hook sees.
bool gStreamDown[256];

std::string StreamModifiers() {
    std::string mods;
    if (gStreamDown[VK_LCONTROL] || gStreamDown[VK_RCONTROL]) mods += 'C';
    if (gStreamDown[VK_LMENU] || gStreamDown[VK_RMENU]) mods += 'A';
    if (gStreamDown[VK_LSHIFT] || gStreamDown[VK_RSHIFT]) mods += 'S';
    if (gStreamDown[VK_LWIN] || gStreamDown[VK_RWIN]) mods += 'W';
    return mods.empty() ? "-" : mods;
}

// Which side a generic modifier event stands for.
DWORD SidedKey(const KBDLLHOOKSTRUCT& key) {
    bool extended = key.flags & LLKHF_EXTENDED;
    switch (key.vkCode) {
    case VK_CONTROL: return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU: return extended ? VK_RMENU : VK_LMENU;
    case VK_SHIFT: return key.scanCode == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    default: return key.vkCode;
    }
}

// "DOWN vk=0x24 mods=C": the modifiers held when the key entered the stream,
// itself not counted.
LRESULT CALLBACK StreamHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT& key = *(const KBDLLHOOKSTRUCT*)lParam;
        bool up = key.flags & LLKHF_UP;
        DWORD sided = SidedKey(key) & 0xFF;
        if (up) gStreamDown[sided] = false;
        char line[64];
        std::snprintf(line, sizeof line, "%s vk=0x%02X mods=%s", up ? "UP" : "DOWN", (unsigned)key.vkCode,
                      StreamModifiers().c_str());
        LogTo(gKeyLog, line);
        if (!up) gStreamDown[sided] = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook runs on a thread of its own: on the window's thread it would hold
// up every key of the desktop whenever that thread waits on another program
// (activation messages), for seconds, as no real note program does.
DWORD WINAPI StreamHookThread(void*) {
    SetWindowsHookExW(WH_KEYBOARD_LL, StreamHook, GetModuleHandleW(nullptr), 0);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

// Ctrl+V and Ctrl+C are ours: the edit control neither pastes nor copies.
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: gControlSeen = false; break;
    case WM_KEYDOWN:
        LogKey("KEYDOWN", wParam, lParam);
        if (wParam == VK_CONTROL) gControlSeen = true;
        if (wParam == 'V' && ControlHeld()) {
            Paste();
            return 0;
        }
        if (wParam == 'C' && ControlHeld()) {
            if (gCopyDelayMs == 0) Copy();
            else if (gCopyDelayMs < 0) Log("COPY IGNORED");
            else SetTimer(gMain, kCopyTimer, gCopyDelayMs, nullptr);
            return 0;
        }
        break;
    case WM_KEYUP:
        LogKey("KEYUP", wParam, lParam);
        if (wParam == VK_CONTROL) gControlSeen = false;
        break;
    case WM_SYSKEYDOWN: LogKey("SYSKEYDOWN", wParam, lParam); break;
    case WM_SYSKEYUP: LogKey("SYSKEYUP", wParam, lParam); break;
    case WM_CHAR:
        LogChar("CHAR", wParam);
        break;
    case WM_SYSCHAR: LogChar("SYSCHAR", wParam); break;
    case WM_PASTE:
    case WM_COPY:
    case WM_CUT: return 0;
    }
    return CallWindowProcW(gEditProc, window, message, wParam, lParam);
}

// A note program takes Ctrl+C and Ctrl+V as accelerators, so no character
// comes of them. Translating them anyway lets Wine's key state, which can
// miss a Ctrl pressed just as the window came back in front, turn the C into
// a typed "c" over the selected line: a fault of the bench, not of the keys.
bool IsClipboardShortcut(const MSG& message) {
    return message.message == WM_KEYDOWN && message.hwnd == gEdit &&
           (message.wParam == 'C' || message.wParam == 'V') && ControlHeld();
}

// READY means keys sent now reach the edit control: the window is in front
// and the edit has the focus. Until then, keep asking for both.
void CheckReady() {
    if (GetForegroundWindow() == gMain && GetFocus() == gEdit) {
        KillTimer(gMain, kReadyTimer);
        if (!gReadyLogged) Log("READY");
        gReadyLogged = true;
        return;
    }
    SetForegroundWindow(gMain);
    SetFocus(gEdit);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: MoveWindow(gEdit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(gEdit); return 0;
    case WM_TIMER:
        if (wParam != kReadyTimer) KillTimer(window, wParam);
        if (wParam == kCopyTimer) Copy();
        else if (wParam == kPasteTimer) ReadPastedHtml();
        else if (wParam == kTextTimer) ReadPastedText();
        else if (wParam == kAgainTimer) ReadHtmlAgain();
        else CheckReady();
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct Options {
    std::wstring title = L"Notepad stand-in";
    std::wstring log;
    std::wstring text;
    bool highlighted = false;
    std::wstring copyShape;
    int copyDelayMs = 0;
    int pasteDelayMs = 0;
    int readGapMs = 0;
    int readAgainMs = 0;
};

Options ReadOptions() {
    Options options;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        std::wstring name = args[i];
        bool hasValue = i + 1 < count;
        if (name == L"--title" && hasValue) options.title = args[++i];
        else if (name == L"--log" && hasValue) options.log = args[++i];
        else if (name == L"--text" && hasValue) options.text = args[++i];
        else if (name == L"--highlighted") options.highlighted = true;
        else if (name == L"--copy" && hasValue) options.copyShape = args[++i];
        else if (name == L"--paste-delay" && hasValue) {
            std::wstring value = args[++i];
            options.pasteDelayMs = value == L"never" ? -1 : _wtoi(value.c_str());
        } else if (name == L"--read-gap" && hasValue) options.readGapMs = _wtoi(args[++i]);
        else if (name == L"--read-again" && hasValue) options.readAgainMs = _wtoi(args[++i]);
        else if (name == L"--copy-delay" && hasValue) {
            std::wstring value = args[++i];
            options.copyDelayMs = value == L"never" ? -1 : _wtoi(value.c_str());
        }
    }
    LocalFree(args);
    return options;
}

HWND CreateWindows(const Options& options, HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MainProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"VantorStandIn";
    RegisterClassW(&windowClass);
    gMain = CreateWindowExW(0, windowClass.lpszClassName, options.title.c_str(), WS_OVERLAPPEDWINDOW,
                            120, 80, 640, 420, nullptr, nullptr, instance, nullptr);
    gEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", options.text.c_str(),
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                            0, 0, 640, 420, gMain, nullptr, instance, nullptr);
    gEditProc = (WNDPROC)SetWindowLongPtrW(gEdit, GWLP_WNDPROC, (LONG_PTR)EditProc);
    return gMain;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Options options = ReadOptions();
    gHighlighted = options.highlighted;
    gCopyShape = options.copyShape;
    gCopyDelayMs = options.copyDelayMs;
    gPasteDelayMs = options.pasteDelayMs;
    gReadGapMs = options.readGapMs;
    gReadAgainMs = options.readAgainMs;
    if (!options.log.empty()) {
        gLog = CreateFileW(options.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        gKeyLog = CreateFileW((options.log + L".keys").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(CreateThread(nullptr, 0, StreamHookThread, nullptr, 0, nullptr));
    }
    if (!CreateWindows(options, instance)) return 1;
    ShowWindow(gMain, SW_SHOW);
    SetForegroundWindow(gMain);
    SetFocus(gEdit);
    SetTimer(gMain, kReadyTimer, 50, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsClipboardShortcut(message)) TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (gLog != INVALID_HANDLE_VALUE) CloseHandle(gLog);
    return 0;
}
