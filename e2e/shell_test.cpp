// The application shell as a user meets it: Vantor.exe started from a fresh
// folder, its configuration file, its single instance, the start-up notice,
// the notification icon's menu and the way out.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "app/display_scale.h"
#include "e2e/driver/desktop.h"
#include "e2e/driver/feature_flows.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"
#include "platform/files.h"
#include "platform/shortcuts.h"

using namespace e2e;

namespace {


std::string DefaultConfigurationText() {
    std::optional<std::string> text = ReadWholeFile(VANTOR_DEFAULT_INI);
    EXPECT_TRUE(text.has_value()) << "cannot read " << VANTOR_DEFAULT_INI;
    return text.value_or("");
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool IsAlive(HANDLE process) { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

// Hotkeys are one per combination on a desktop: a combination this process
// cannot register is held by someone else, here the program under test.
struct Combination {
    const char* name;
    UINT modifiers;
    UINT key;
};

constexpr Combination kCombinations[] = {
    {"Ctrl+M", MOD_CONTROL, 'M'},
    {"Ctrl+D", MOD_CONTROL, 'D'},
    {"Ctrl+Alt+0", MOD_CONTROL | MOD_ALT, '0'},
    {"Ctrl+H", MOD_CONTROL, 'H'},
};

const std::vector<std::string> kAllTaken = {"Ctrl+M", "Ctrl+D", "Ctrl+Alt+0", "Ctrl+H"};
const std::vector<std::string> kNoneTaken = {};

HWND ProbeWindow() {
    static HWND window = CreateHotkeyWindow();
    return window;
}

std::vector<std::string> TakenCombinations() {
    std::vector<std::string> taken;
    for (size_t i = 0; i < std::size(kCombinations); ++i) {
        const Combination& c = kCombinations[i];
        const int id = 0x7100 + (int)i;
        if (RegisterHotKey(ProbeWindow(), id, c.modifiers, c.key))
            UnregisterHotKey(ProbeWindow(), id);
        else
            taken.push_back(c.name);
    }
    return taken;
}

// The windows a process owns at the top level, visible or not.
std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = (Search*)context;
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId) s->found.push_back(window);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

// The popup menu of a process while it is on screen.
HWND OpenMenuOf(const VantorRun& run) {
    for (HWND window : TopLevelWindowsOf(GetProcessId(run.process))) {
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32768" && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND WaitForMenu(const VantorRun& run, unsigned timeoutMs) {
    DWORD start = GetTickCount();
    HWND menu = nullptr;
    while (!(menu = OpenMenuOf(run)) && GetTickCount() - start < timeoutMs) Pump(10);
    return menu;
}

bool WaitForMenuGone(const VantorRun& run) {
    DWORD start = GetTickCount();
    while (OpenMenuOf(run) && GetTickCount() - start < kWait) Pump(10);
    return OpenMenuOf(run) == nullptr;
}

// An injected move, as a real mouse gives the shell its position.
void MoveCursorTo(int x, int y) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = (LONG)(((long long)x * 65535 + (width - 1) / 2) / (width - 1));
    move.mi.dy = (LONG)(((long long)y * 65535 + (height - 1) / 2) / (height - 1));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    DWORD start = GetTickCount();
    POINT at{};
    while (GetCursorPos(&at) && (at.x != x || at.y != y) && GetTickCount() - start < kWait) Pump(10);
    EXPECT_EQ(at.x, x);
    EXPECT_EQ(at.y, y);
}

// The shell reports a mouse event on the icon with the callback message.
void PressIcon(const VantorRun& run, UINT mouseEvent) { PostMessageA(run.tray, kIconCallback, 0, mouseEvent); }

// Dark pixels (text, check marks) in a screen rectangle.
int DarkPixels(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    int dark = 0;
    const auto* pixels = (const unsigned char*)bits;
    for (int i = 0; pixels && i < width * height; ++i)
        if (pixels[4 * i] + pixels[4 * i + 1] + pixels[4 * i + 2] < 3 * 96) ++dark;
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(picture);
    ReleaseDC(nullptr, screen);
    return dark;
}

// Only the first item can carry a check mark: it is the one mark in the
// column left of the captions, in the menu's top quarter (item 1 and the
// separator below it).
bool FirstItemLooksChecked(HWND menu) {
    RECT frame{};
    GetWindowRect(menu, &frame);
    const int column = GetSystemMetrics(SM_CXMENUCHECK);
    RECT marks = {frame.left + 3, frame.top + 3, frame.left + 3 + column, frame.top + (frame.bottom - frame.top) / 4};
    return DarkPixels(marks) > 0;
}

// Opens the menu at a known place, reads the mark of its first item, and
// closes it with Escape.
std::optional<bool> FirstItemChecked(const VantorRun& run) {
    MoveCursorTo(700, 500);
    PressIcon(run, WM_RBUTTONDOWN);
    HWND menu = WaitForMenu(run, kWait);
    if (!menu) {
        ADD_FAILURE() << "the menu did not open";
        return std::nullopt;
    }
    Pump(300);  // drawn
    bool checked = FirstItemLooksChecked(menu);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(WaitForMenuGone(run)) << "Escape left the menu open";
    return checked;
}

// The notification icon is known to the shell while a modification of it,
// one that changes nothing, is accepted.
UINT InstanceOf(HANDLE process) {
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (!K32EnumProcessModules(process, &module, sizeof module, &needed)) return 0;
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(module));
}

bool IconShown(HWND tray, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = tray;
    data.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != 0;
}

// The tips the notification area shows, as the shell keeps them in its
// tooltip control. Its records live in the shell's process, so they are
// asked for through memory placed there.
std::vector<std::string> ToolTexts(HANDLE shell, HWND tooltip) {
    std::vector<std::string> texts;
    constexpr size_t kTextRoom = 1024;  // wide characters
    auto* remote = (char*)VirtualAllocEx(shell, nullptr, sizeof(TTTOOLINFOW) + 2 * kTextRoom,
                                         MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return texts;
    const LRESULT count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = (wchar_t*)(remote + sizeof info);
        wchar_t text[kTextRoom] = L"";
        WriteProcessMemory(shell, remote, &info, sizeof info, nullptr);
        WriteProcessMemory(shell, remote + sizeof info, text, sizeof text, nullptr);
        DWORD_PTR found = 0;
        if (!SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, (WPARAM)i, (LPARAM)remote, SMTO_NORMAL, kWait, &found) ||
            !found)
            continue;
        ReadProcessMemory(shell, remote + sizeof info, text, sizeof text - sizeof(wchar_t), nullptr);
        char ansi[2 * kTextRoom] = "";
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
        texts.push_back(ansi);
    }
    VirtualFreeEx(shell, remote, 0, MEM_RELEASE);
    return texts;
}

std::vector<std::string> NotificationTips() {
    std::vector<std::string> tips;
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    DWORD shellId = 0;
    if (!taskbar || !GetWindowThreadProcessId(taskbar, &shellId)) return tips;
    HANDLE shell = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, shellId);
    if (!shell) return tips;
    for (HWND window : TopLevelWindowsOf(shellId)) {
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) != TOOLTIPS_CLASSA) continue;
        std::vector<std::string> texts = ToolTexts(shell, window);
        tips.insert(tips.end(), texts.begin(), texts.end());
    }
    CloseHandle(shell);
    return tips;
}

// The shell keeps the tips of icons it has removed: only new ones count.
long TipCount(const std::string& tip) {
    std::vector<std::string> tips = NotificationTips();
    return (long)std::count(tips.begin(), tips.end(), tip);
}

class Shell : public ::testing::Test {
protected:
    // Whatever a failed test leaves running would hold the hotkeys and the
    // mutex of the tests after it.
    void TearDown() override {
        for (VantorRun& run : runs) {
            if (!run.process) continue;
            if (IsAlive(run.process)) {
                TerminateProcess(run.process, 1);
                WaitForSingleObject(run.process, 5000);
            }
            CloseHandle(run.process);
        }
    }
    VantorRun& Start(const std::string& name = "Vantor") {
        runs.push_back(StartVantor(name));
        return runs.back();
    }
    VantorRun& StartIn(const std::string& folder, const std::string& name = "Vantor") {
        runs.push_back(StartVantorIn(folder, name));
        return runs.back();
    }
    // Waits until the notice has gone and the answer has been acted on.
    bool WaitForNoticeGone(VantorRun& run) {
        DWORD start = GetTickCount();
        while (IsWindow(run.notice) && GetTickCount() - start < kWait) Pump(10);
        if (IsWindow(run.notice)) return false;
        run.notice = nullptr;
        run.tray = FindTrayWindow(run);
        Pump(300);
        return run.tray != nullptr;
    }
    std::list<VantorRun> runs;
};

// Also from a folder whose name holds letters outside the ANSI code page,
// as users' folders outside Western Europe do.
TEST_F(Shell, FirstStartWritesTheDefaultConfigurationByteForByte) {
    for (const std::string& folder :
         {FreshFolder("first"), FreshFolderNamed("\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\x94")}) {
        SCOPED_TRACE(folder);
        ASSERT_FALSE(folder.empty());
        VantorRun& run = StartIn(folder);
        ASSERT_NE(run.notice, nullptr);
        std::optional<std::string> written = ReadWholeFile(run.ini);
        ASSERT_TRUE(written.has_value()) << "no " << run.ini;
        const std::string expected = DefaultConfigurationText();
        EXPECT_EQ(*written, expected);
        size_t lines = 0, bareLineFeeds = 0;
        for (size_t i = 0; i < written->size(); ++i)
            if ((*written)[i] == '\n') (i > 0 && (*written)[i - 1] == '\r' ? lines : bareLineFeeds)++;
        EXPECT_EQ(lines, 68u);
        EXPECT_EQ(bareLineFeeds, 0u);
        EXPECT_TRUE(written->size() >= 2 && written->compare(written->size() - 2, 2, "\r\n") == 0);
        ASSERT_TRUE(AnswerNotice(run));
        EXPECT_EQ(ExitVantor(run), 0);
        EXPECT_EQ(ReadWholeFile(run.ini), expected) << "the file changed while the program ran";
    }
}

// A file that exists is the user's: a start never rewrites it, whatever it
// holds, and a copy started beside a running one changes nothing either.
TEST_F(Shell, LaterStartsLeaveAnExistingFileByteForByte) {
    struct Case {
        const char* name;
        std::optional<std::string> bytes;  // none: as the first start wrote it
    };
    const Case cases[] = {
        {"as written", std::nullopt},
        {"emptied", std::string()},
        {"edited", std::string("[date_picker]\r\noutput=dd\r\n\r\n\r\n[weekdays]\nw(1)=Lun")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VantorRun& first = Start();
        ASSERT_TRUE(AnswerNotice(first));
        ASSERT_EQ(ExitVantor(first), 0);
        if (c.bytes) {
            ASSERT_TRUE(WriteWholeFile(first.ini, *c.bytes));
        }
        const std::optional<std::string> before = ReadWholeFile(first.ini);
        ASSERT_TRUE(before.has_value());

        VantorRun& second = StartIn(first.folder);
        ASSERT_NE(second.notice, nullptr);
        EXPECT_EQ(ReadWholeFile(second.ini), before);
        ASSERT_TRUE(AnswerNotice(second));
        EXPECT_EQ(ReadWholeFile(second.ini), before);
        EXPECT_EQ(ExitVantor(second), 0);
        EXPECT_EQ(ReadWholeFile(second.ini), before);
    }
}

// The second copy must end by itself, quickly, before showing anything: the
// first one is not disturbed, whether its notice is still open or not.
TEST_F(Shell, SecondCopyEndsAtOnceWithCodeZeroAndNoWindow) {
    for (bool answered : {false, true}) {
        SCOPED_TRACE(answered ? "beside the idle tray" : "beside the open notice");
        VantorRun& first = Start();
        ASSERT_NE(first.notice, nullptr);
        if (answered) {
            ASSERT_TRUE(AnswerNotice(first));
        }
        const std::optional<std::string> before = ReadWholeFile(first.ini);

        HANDLE second = StartProgram("\"" + first.exe + "\"", first.folder);
        ASSERT_NE(second, nullptr);
        const DWORD secondId = GetProcessId(second);
        const DWORD start = GetTickCount();
        std::vector<HWND> seen;
        while (IsAlive(second) && GetTickCount() - start < 2000) {
            std::vector<HWND> now = TopLevelWindowsOf(secondId);
            seen.insert(seen.end(), now.begin(), now.end());
            Sleep(1);
        }
        const bool ended = !IsAlive(second);
        EXPECT_TRUE(ended) << "the second copy still ran after 2 s";
        if (ended) {
            EXPECT_EQ(ExitCodeOf(second), 0u);
        }
        if (!ended) TerminateProcess(second, 1);
        CloseHandle(second);
        EXPECT_TRUE(seen.empty()) << "the second copy created " << seen.size() << " window(s)";

        EXPECT_EQ(ReadWholeFile(first.ini), before);
        EXPECT_TRUE(IsAlive(first.process));
        if (!answered) {
            EXPECT_TRUE(IsWindowVisible(first.notice)) << "the first copy's notice went away";
            ASSERT_TRUE(AnswerNotice(first));
        }
        EXPECT_EQ(ExitVantor(first), 0);
    }
}

TEST_F(Shell, NoticeShowsItsTextsWithTheBoxTicked) {
    VantorRun& run = Start();
    ASSERT_NE(run.notice, nullptr);
    EXPECT_TRUE(IsWindowVisible(run.notice));
    char caption[128] = "";
    GetWindowTextA(run.notice, caption, sizeof caption);
    EXPECT_STREQ(caption, "Vantor 1.1");
    struct Text {
        int id;
        const char* text;
    };
    const Text texts[] = {
        {kNoticeRunningLabel, "Vantor is running in the notification zone :"},
        {kNoticeHintLabel, "Click on its icon to access the program options."},
        {kNoticeCatchKeysBox, " Catch Ctrl+M/D/H and @ key in OneNote"},
        {IDOK, "OK"},
    };
    for (const Text& t : texts) {
        char text[256] = "";
        GetDlgItemTextA(run.notice, t.id, text, sizeof text);
        EXPECT_STREQ(text, t.text) << "control " << t.id;
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(run.notice, t.id))) << "control " << t.id;
    }
    EXPECT_EQ(SendDlgItemMessageA(run.notice, kNoticeCatchKeysBox, BM_GETCHECK, 0, 0), BST_CHECKED);
    Pump(300);  // drawn; its size and layout at each DPI are the HighDpi suite's
    EXPECT_FALSE(SaveScreenshot("notice").empty());
    EXPECT_EQ(TakenCombinations(), kNoneTaken) << "hotkeys taken before the notice was answered";
    ASSERT_TRUE(AnswerNotice(run));
    EXPECT_EQ(ExitVantor(run), 0);
}

// However the notice goes away, the box decides: ticked registers all four
// hotkeys and checks "Enable Vantor", unticked registers none; the menu's
// first item then switches them, and shows which.
TEST_F(Shell, NoticeAnswerDecidesTheHotkeysAndTheFirstItemSwitchesThem) {
    struct Case {
        const char* name;
        bool ticked;
        UINT message;  // sent to the notice
        WPARAM wParam;
    };
    const Case cases[] = {
        {"OK, ticked", true, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)},
        {"OK, unticked", false, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)},
        {"close box, ticked", true, WM_SYSCOMMAND, SC_CLOSE},
        {"close box, unticked", false, WM_SYSCOMMAND, SC_CLOSE},
        {"WM_CLOSE, ticked", true, WM_CLOSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VantorRun& run = Start();
        ASSERT_NE(run.notice, nullptr);
        SendDlgItemMessageA(run.notice, kNoticeCatchKeysBox, BM_SETCHECK, c.ticked ? BST_CHECKED : BST_UNCHECKED, 0);
        PostMessageA(run.notice, c.message, c.wParam, 0);
        ASSERT_TRUE(WaitForNoticeGone(run));
        const std::vector<std::string>& onAtStart = c.ticked ? kAllTaken : kNoneTaken;
        const std::vector<std::string>& offAtStart = c.ticked ? kNoneTaken : kAllTaken;
        EXPECT_EQ(TakenCombinations(), onAtStart);
        EXPECT_EQ(FirstItemChecked(run), std::optional<bool>(c.ticked));

        ASSERT_TRUE(SendMenuCommand(run, kEnableCommand));
        EXPECT_EQ(TakenCombinations(), offAtStart);
        EXPECT_EQ(FirstItemChecked(run), std::optional<bool>(!c.ticked));
        ASSERT_TRUE(SendMenuCommand(run, kEnableCommand));
        EXPECT_EQ(TakenCombinations(), onAtStart);
        EXPECT_EQ(FirstItemChecked(run), std::optional<bool>(c.ticked));

        EXPECT_EQ(ExitVantor(run), 0);
        EXPECT_EQ(TakenCombinations(), kNoneTaken);
    }
}

TEST_F(Shell, IconPressWhileTheNoticeIsOpenOpensNothing) {
    VantorRun& run = Start();
    ASSERT_NE(run.notice, nullptr);
    run.tray = FindTrayWindow(run);
    ASSERT_NE(run.tray, nullptr) << "no tray window behind the notice";
    MoveCursorTo(600, 400);
    PressIcon(run, WM_LBUTTONDOWN);
    PressIcon(run, WM_RBUTTONDOWN);
    EXPECT_EQ(WaitForMenu(run, 700), nullptr);
    ASSERT_TRUE(AnswerNotice(run));
    EXPECT_EQ(WaitForMenu(run, 700), nullptr) << "a press made during the notice opened the menu afterwards";
    // The same press now opens it: the one above was really ignored.
    PressIcon(run, WM_LBUTTONDOWN);
    EXPECT_NE(WaitForMenu(run, kWait), nullptr);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(WaitForMenuGone(run));
    EXPECT_EQ(ExitVantor(run), 0);
}

// Either button going down opens the menu with its bottom-right corner at
// the cursor; releases, double clicks, the middle button and moves do not.
TEST_F(Shell, MenuOpensOnButtonDownAtTheCursorAndClosesWithEscape) {
    struct Case {
        const char* name;
        UINT mouseEvent;
        bool opens;
        POINT cursor;
    };
    const Case cases[] = {
        {"left down", WM_LBUTTONDOWN, true, {700, 500}},
        {"right down", WM_RBUTTONDOWN, true, {600, 420}},
        {"left up", WM_LBUTTONUP, false, {700, 500}},
        {"right up", WM_RBUTTONUP, false, {700, 500}},
        {"left double click", WM_LBUTTONDBLCLK, false, {700, 500}},
        {"right double click", WM_RBUTTONDBLCLK, false, {700, 500}},
        {"middle down", WM_MBUTTONDOWN, false, {700, 500}},
        {"move", WM_MOUSEMOVE, false, {700, 500}},
        {"left down again", WM_LBUTTONDOWN, true, {900, 650}},
    };
    VantorRun& run = Start();
    ASSERT_TRUE(AnswerNotice(run));
    bool shot = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoveCursorTo(c.cursor.x, c.cursor.y);
        PressIcon(run, c.mouseEvent);
        HWND menu = WaitForMenu(run, c.opens ? kWait : 700);
        if (!c.opens) {
            EXPECT_EQ(menu, nullptr) << "the menu opened";
            if (menu) {
                Tap(VK_ESCAPE);
                WaitForMenuGone(run);
            }
            continue;
        }
        ASSERT_NE(menu, nullptr) << "the menu did not open";
        RECT frame{};
        GetWindowRect(menu, &frame);
        EXPECT_EQ(frame.right, c.cursor.x);
        EXPECT_EQ(frame.bottom, c.cursor.y);
        EXPECT_GT(frame.right - frame.left, 100);
        EXPECT_GT(frame.bottom - frame.top, 100);
        if (!shot) {
            Pump(300);  // drawn
            shot = !SaveScreenshot("menu").empty();
            EXPECT_TRUE(shot);
        }
        Tap(VK_ESCAPE);
        EXPECT_TRUE(WaitForMenuGone(run)) << "Escape left the menu open";
        EXPECT_TRUE(IsAlive(run.process));
    }
    EXPECT_EQ(ExitVantor(run), 0);
}

// Texts of the shell's balloons now up: tooltip controls answer WM_GETTEXT
// with the tip they show.
std::string BalloonTexts() {
    std::string texts;
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr));) {
        char text[512] = "";
        if (IsWindowVisible(tip)) SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 1000, nullptr);
        texts += text;
    }
    return texts;
}

// A shortcut another program holds before Vantor starts: a balloon says so,
// and its feature still opens from the menu.
TEST_F(Shell, ShortcutHeldBeforeTheStartIsToldOfAndTheFeatureStaysInTheMenu) {
    ASSERT_TRUE(RegisterHotKey(ProbeWindow(), 0x7200, MOD_CONTROL, 'D'));
    VantorRun& run = Start();
    ASSERT_TRUE(AnswerNotice(run));
    EXPECT_TRUE(Eventually([] { return BalloonTexts().find("Ctrl+D is taken by another program") != std::string::npos; }))
        << "balloons up: \"" << BalloonTexts() << "\"";
    ChooseMenuCommand(run, kDatePickerCommand);
    HWND picker = WaitForWindow("Date Picker");
    EXPECT_TRUE(picker && PostMessageA(picker, WM_CLOSE, 0, 0));
    EXPECT_TRUE(WaitUntilGone(picker));
    UnregisterHotKey(ProbeWindow(), 0x7200);
    EXPECT_EQ(ExitVantor(run), 0);
}

TEST_F(Shell, ExitRemovesTheIconFreesTheHotkeysAndEndsWithZero) {
    VantorRun& run = Start();
    ASSERT_TRUE(AnswerNotice(run));
    const HWND tray = run.tray;
    const UINT id = InstanceOf(run.process);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(IconShown(tray, id)) << "no notification icon while running";
    EXPECT_FALSE(IconShown(tray, id + 1)) << "the icon probe accepts any icon";
    EXPECT_EQ(TakenCombinations(), kAllTaken);
    EXPECT_FALSE(IsWindowVisible(tray)) << "the tray window stayed on screen";

    EXPECT_EQ(ExitVantor(run), 0);
    EXPECT_FALSE(IconShown(tray, id)) << "the icon outlived the program";
    EXPECT_EQ(TakenCombinations(), kNoneTaken);
    EXPECT_FALSE(IsWindow(tray));
}

// The base name is the program's identity: a copy under another name is
// another program, with its own mutex and file, though not its own keys.
// A shortcut left by a copy in another folder counts as unticked: the click
// points it here, the next removes it, and the one after makes it anew.
TEST_F(Shell, StartWithWindowsPointsTheStartupShortcutHereOrRemovesIt) {
    const std::string link = platform::StartupFolder() + "\\Vantor.lnk";
    ASSERT_TRUE(platform::WriteShortcut(link, VantorExecutable())) << link;
    VantorRun& run = Start();
    ASSERT_TRUE(AnswerNotice(run));
    for (bool made : {true, false, true}) {
        ASSERT_TRUE(SendMenuCommand(run, kStartWithWindowsCommand));
        std::string target;
        ASSERT_EQ(platform::ReadShortcutTarget(link, target), made) << target;
        EXPECT_TRUE(!made || lstrcmpiA(target.c_str(), run.exe.c_str()) == 0) << target << " is not " << run.exe;
    }
    EXPECT_EQ(ExitVantor(run), 0);
    EXPECT_TRUE(platform::DeleteFileW(link));
}

TEST_F(Shell, CopyUnderAnotherNameRunsBesideItWithItsOwnFileAndMutex) {
    VantorRun& vantor = Start();
    ASSERT_TRUE(AnswerNotice(vantor));
    VantorRun& other = StartIn(vantor.folder, "other");
    ASSERT_NE(other.notice, nullptr) << "other.exe showed no notice of its own";
    EXPECT_EQ(ReadWholeFile(other.ini), std::optional<std::string>(DefaultConfigurationText()));
    ASSERT_TRUE(AnswerNotice(other));
    EXPECT_TRUE(IsAlive(vantor.process));
    EXPECT_TRUE(IsAlive(other.process));
    EXPECT_NE(vantor.tray, other.tray);
    for (const char* name : {"Vantor", "other"}) {
        HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
        EXPECT_NE(mutex, nullptr) << "no mutex \"" << name << "\"";
        if (mutex) CloseHandle(mutex);
    }
    // The keys were Vantor's first: other's registrations failed, so once
    // Vantor lets go nobody holds them.
    EXPECT_EQ(TakenCombinations(), kAllTaken);
    ASSERT_TRUE(SendMenuCommand(vantor, kEnableCommand));
    EXPECT_EQ(TakenCombinations(), kNoneTaken);

    EXPECT_EQ(ExitVantor(other), 0);
    EXPECT_TRUE(IsAlive(vantor.process)) << "Vantor ended with other";
    EXPECT_EQ(ExitVantor(vantor), 0);
}

TEST_F(Shell, SeventyCharacterBaseNameRunsAndEndsCleanly) {
    std::string name = "Vantor";
    for (int i = 0; name.size() < 70; ++i) name += (char)('a' + i % 26);
    ASSERT_EQ(name.size(), 70u);
    const long cutTipsBefore = TipCount(name.substr(0, 63));
    VantorRun& run = Start(name);
    ASSERT_NE(run.notice, nullptr) << "no notice \"" << name << " 1.1\"";
    EXPECT_EQ(run.ini, run.folder + name + ".ini");
    EXPECT_EQ(ReadWholeFile(run.ini), std::optional<std::string>(DefaultConfigurationText()));
    ASSERT_TRUE(AnswerNotice(run));
    const UINT id = InstanceOf(run.process);
    const HWND tray = run.tray;
    EXPECT_TRUE(IconShown(tray, id)) << "no notification icon";
    // The tip holds at most 63 characters: the name's first ones.
    EXPECT_EQ(TipCount(name.substr(0, 63)), cutTipsBefore + 1) << ::testing::PrintToString(NotificationTips());
    EXPECT_EQ(TipCount(name), 0);
    EXPECT_EQ(TakenCombinations(), kAllTaken);
    EXPECT_EQ(ExitVantor(run), 0);
    EXPECT_FALSE(IconShown(tray, id));
    EXPECT_EQ(TakenCombinations(), kNoneTaken);
}

// Vantor at the DPI of the prefix it runs in (scripts/test runs this suite
// at 96, 120, 144 and 192): every dialog drawn at its scaled size, inside the
// work area, with nothing cut off. The dialogs made in dialog units are the
// system's to scale: one the program scaled again would come out larger.
struct ScaledDialogCase {
    const char* name;  // also the screenshot's, with the DPI
    const char* caption;
    const char* fontFace;  // of the dialog's text, at 8 points
    // From Vantor ready and the note window in front to the open dialog.
    HWND (*open)();
    void (*expect)(HWND dialog);
    POINT units;  // the client in dialog units; none for a dialog laid out in pixels
};

HWND OpenContactBook() {
    Chord({VK_CONTROL, VK_MENU}, '0');
    HWND book = WaitForWindow("Contact Book");
    Pump(500);
    return book;
}

HWND OpenNewContact() {
    if (!OpenContactBook()) return nullptr;
    TypeText("Smith, Ann");
    Pump(500);
    Tap(VK_RETURN);
    HWND dialog = WaitForWindow("New contact");
    Pump(500);  // its own Tab, Shift+Tab have to land first
    return dialog;
}

HWND OpenNewCompany() {
    if (!OpenNewContact()) return nullptr;
    Tap(VK_END);  // "< New company >", the last button
    Pump(300);
    Tap(VK_SPACE);
    return WaitForWindow("New company");
}

void ExpectClientSize(HWND window, int width, int height) {
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
}

void ExpectScaledNotice(HWND notice) {
    RECT client{};
    EXPECT_TRUE(GetClientRect(notice, &client) && client.right >= ScalePixels(270, ScreenDpi())) << "only wider";
    EXPECT_EQ(client.bottom, ScalePixels(184, ScreenDpi()));
    // A bitmap static takes the size of its bitmap: 221 x 45 as stored.
    ExpectClientSize(GetDlgItem(notice, kNoticePicture), ScalePixels(221, ScreenDpi()), ScalePixels(45, ScreenDpi()));
}

void ExpectScaledDatePicker(HWND dialog) {
    ExpectClientSize(dialog, ScalePixels(456, ScreenDpi()), ScalePixels(308, ScreenDpi()));
    POINT ownerCorner{0, 0}, dialogCorner{0, 0};
    ClientToScreen(GetWindow(dialog, GW_OWNER), &ownerCorner);
    ClientToScreen(dialog, &dialogCorner);
    EXPECT_EQ(dialogCorner.x - ownerCorner.x, ScalePixels(310, ScreenDpi()));
    EXPECT_EQ(dialogCorner.y - ownerCorner.y, ScalePixels(210, ScreenDpi()));
}

// Dialog units as the dialog manager maps them with the dialog's font: a
// quarter of the average letter's width, an eighth of the font's height.
void ExpectClientOfUnits(HWND dialog, HFONT font, POINT units) {
    HDC context = GetDC(nullptr);
    HGDIOBJ old = SelectObject(context, font);
    SIZE letters{};
    TEXTMETRICA metrics{};
    GetTextExtentPoint32A(context, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    GetTextMetricsA(context, &metrics);
    SelectObject(context, old);
    ReleaseDC(nullptr, context);
    ExpectClientSize(dialog, MulDiv(units.x, (letters.cx / 26 + 1) / 2, 4), MulDiv(units.y, metrics.tmHeight, 8));
}

const char* const kScaledCaptions[] = {"New company",    "New contact",        "Contact Book", "Date Picker",
                                       "Highlight line", "Accents Majuscules", "Vantor 1.1"};

void PrintTo(const ScaledDialogCase& c, std::ostream* out) { *out << c.name; }

class HighDpi : public ::testing::TestWithParam<ScaledDialogCase> {
protected:
    // A modal dialog left open keeps Vantor from ending on Exit.
    void TearDown() override {
        for (const char* caption : kScaledCaptions)
            if (HWND dialog = FindWindowA(nullptr, caption)) {
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                Pump(300);
            }
        if (vantor.process) ExitVantor(vantor);
        EndStandIn(standIn);
    }
    VantorRun vantor;
    StandIn standIn;
};

TEST_P(HighDpi, DialogIsScaledWithNothingClipped) {
    const ScaledDialogCase& c = GetParam();
    HWND dialog = nullptr;
    if (c.open == nullptr) {  // the notice, there from the start
        vantor = StartVantor();
        dialog = vantor.notice;
    } else {
        vantor = StartVantorReady();
        ASSERT_NE(vantor.tray, nullptr);
        standIn = StartStandIn("Notes - OneNote");
        ASSERT_TRUE(standIn.ready);
        dialog = c.open();
    }
    ASSERT_NE(dialog, nullptr) << "no \"" << c.caption << "\"";
    Pump(300);  // drawn
    const int dpi = ScreenDpi();
    EXPECT_FALSE(SaveScreenshot(std::string(c.name) + "_" + std::to_string(dpi) + "dpi").empty());
    HFONT font = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, c.fontFace);
    ExpectNothingClipped(dialog, font);
    if (c.units.x != 0) ExpectClientOfUnits(dialog, font, c.units);
    DeleteObject(font);
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    RECT frame{}, inside{};
    GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    GetWindowRect(dialog, &frame);
    EXPECT_TRUE(IntersectRect(&inside, &frame, &monitor.rcWork) && EqualRect(&inside, &frame)) << "it leaves the work area";
    if (c.expect) c.expect(dialog);
    if (c.open == nullptr) {
        EXPECT_TRUE(AnswerNotice(vantor));
    }
}

INSTANTIATE_TEST_SUITE_P(
    HighDpi, HighDpi,
    ::testing::Values(
        ScaledDialogCase{"notice", "Vantor 1.1", "MS Shell Dlg", nullptr, ExpectScaledNotice, {}},
        ScaledDialogCase{"accents", "Accents Majuscules", "MS Sans Serif",
                         [] { return PressHotkeyFor("Accents Majuscules", VK_CONTROL, 'M'); }, nullptr, {180, 32}},
        ScaledDialogCase{"highlight_line", "Highlight line", "MS Sans Serif",
                         [] { return PressHotkeyFor("Highlight line", VK_CONTROL, 'H'); },
                         ExpectColourStripPainted, {204, 32}},
        ScaledDialogCase{"date_picker", "Date Picker", "MS Sans Serif",
                         [] { return PressHotkeyFor("Date Picker", VK_CONTROL, 'D'); }, ExpectScaledDatePicker, {}},
        ScaledDialogCase{"contact_book", "Contact Book", "MS Sans Serif", OpenContactBook, nullptr, {297, 201}},
        ScaledDialogCase{"new_contact", "New contact", "MS Sans Serif", OpenNewContact, nullptr, {}},
        ScaledDialogCase{"new_company", "New company", "MS Sans Serif", OpenNewCompany, nullptr, {300, 155}}),
    NameOfCase<ScaledDialogCase>);

}  // namespace
