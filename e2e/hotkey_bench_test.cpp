// How quickly each feature answers in a note window: from the injected
// hotkey to its dialog on screen (less the dispatcher's designed waits),
// and from the key or click that closes it to the result reaching the
// stand-in. A report, not a check: run with --gtest_also_run_disabled_tests.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "e2e/driver/calendar.h"
#include "e2e/driver/desktop.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

constexpr int kRounds = 10;
const char kSection[] = "Hotkeys in the stand-in";
// The dispatcher waits this long after every hotkey, and this much more
// before it pastes "@" outside OneNote.
constexpr double kHotkeyWaitMs = 100;
constexpr double kAtSignWaitMs = 150;

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Polls without pumping: the driver's own messages must not add to the time.
HWND WaitVisible(const char* caption) {
    const double start = NowMs();
    while (NowMs() - start < kWait) {
        HWND found = FindWindowA(nullptr, caption);
        if (found && IsWindowVisible(found)) return found;
        Sleep(1);
    }
    ADD_FAILURE() << "\"" << caption << "\" did not show";
    return nullptr;
}

bool WaitLine(const StandIn& standIn, const std::string& line, size_t from) {
    const double start = NowMs();
    while (NowMs() - start < kWait) {
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (size_t i = from; i < lines.size(); ++i)
            if (lines[i] == line) return true;
        Sleep(1);
    }
    ADD_FAILURE() << "the stand-in never logged " << line;
    return false;
}

std::string TextOf(HWND window) {
    char text[256] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

struct Flow {
    const char* name;
    const char* caption;   // of the dialog; null when none opens
    WORD modifiers[2];     // the hotkey, 0 for none
    WORD key;
    double designedWait;   // subtracted from the opening time
    // Brings the open dialog to the point where one key or click finishes
    // it; answers that last action and the log line that marks its result.
    std::function<std::function<void()>(HWND dialog, HANDLE vantor, std::string& result)> prepare;
};

struct Times {
    std::vector<double> open, close;
};

bool RunOnce(const Flow& flow, const VantorRun& vantor, const StandIn& standIn, Times& times) {
    if (!BringToFront(standIn.window)) return false;
    Pump(200);
    size_t from = ReadLogLines(standIn.log).size();
    const double start = NowMs();
    if (flow.modifiers[1]) Chord({flow.modifiers[0], flow.modifiers[1]}, flow.key);
    else Chord({flow.modifiers[0]}, flow.key);
    if (!flow.caption) {  // "@" outside OneNote: the paste is the result
        if (!WaitLine(standIn, "PASTE", from)) return false;
        times.close.push_back(NowMs() - start - flow.designedWait);
        return true;
    }
    HWND dialog = WaitVisible(flow.caption);
    if (!dialog) return false;
    times.open.push_back(NowMs() - start - flow.designedWait);
    Pump(300);  // a window that has just opened is given a moment before input
    std::string result;
    std::function<void()> finish = flow.prepare(dialog, vantor.process, result);
    if (!finish) return false;
    from = ReadLogLines(standIn.log).size();
    const double closing = NowMs();
    finish();
    if (!WaitLine(standIn, result, from)) return false;
    times.close.push_back(NowMs() - closing);
    return WaitUntilGone(dialog);
}

std::function<void()> CapitalKey(HWND, HANDLE, std::string& result) {
    result = CharLine(0xC9);
    return [] { Tap(0x32); };
}

std::function<void()> KeypadColour(HWND, HANDLE, std::string& result) {
    result = "PASTE";
    return [] { Tap(VK_NUMPAD2); };
}

// The first click on a day selects it; the second, timed, inserts it. The
// program remembers the day inserted last across dialogs, and one click on
// that day would insert at once: so each round takes another day.
std::function<void()> SecondClickOnADay(HWND dialog, HANDLE vantor, std::string& result) {
    static int round = 0;
    result = "PASTE";
    HWND calendar = GetDlgItem(dialog, 1001);
    CalendarMap map = MapCalendar(vantor, calendar);
    SYSTEMTIME today;
    GetLocalTime(&today);
    const int day = 1 + (round++ % 28);
    auto cell = map.days.find(DayKey(today.wYear, today.wMonth, day));
    if (cell == map.days.end()) {
        ADD_FAILURE() << "no cell for day " << day;
        return nullptr;
    }
    POINT point = cell->second;
    ClickAtSettled(point);
    Pump(600);  // longer than a double click
    return [point] { ClickAt(point.x, point.y); };
}

std::function<void()> EnterOnAContact(HWND dialog, HANDLE, std::string& result) {
    result = "PASTE";
    TypeText("doe");
    HWND combo = GetDlgItem(dialog, 1001);
    if (!Eventually([&] { return SendMessageA(combo, CB_GETCOUNT, 0, 0) == 2; })) return nullptr;
    Tap(VK_HOME);
    if (!Eventually([&] { return TextOf(combo) == "Doe, Jane"; })) return nullptr;
    return [] { Tap(VK_RETURN); };
}

const Flow kFlows[] = {
    {"Ctrl+M", "Accents Majuscules", {VK_CONTROL, 0}, 'M', kHotkeyWaitMs, CapitalKey},
    {"Ctrl+H", "Highlight line", {VK_CONTROL, 0}, 'H', kHotkeyWaitMs, KeypadColour},
    {"Ctrl+D", "Date Picker", {VK_CONTROL, 0}, 'D', kHotkeyWaitMs, SecondClickOnADay},
    {"\"@\"", "Contact Book", {VK_CONTROL, VK_MENU}, '0', kHotkeyWaitMs, EnterOnAContact},
};

const char* const kClosing[] = {"the 2 key to the capital typed", "keypad 2 to the paste (with 2 x 50 ms designed)",
                                "second click to the paste", "Enter to the paste"};

TEST(HotkeyBench, DISABLED_Report) {
    VantorRun vantor = StartVantorReady();
    ASSERT_NE(vantor.tray, nullptr);
    StandIn note = StartStandIn("Bench - OneNote");
    ASSERT_TRUE(note.ready);
    for (size_t f = 0; f < std::size(kFlows); ++f) {
        Times times;
        for (int round = 0; round < kRounds; ++round)
            ASSERT_TRUE(RunOnce(kFlows[f], vantor, note, times)) << kFlows[f].name << " round " << round;
        Report(kSection, std::string(kFlows[f].name) + ": hotkey to dialog visible, less 100 ms", "ms",
               SpreadOf(times.open));
        Report(kSection, std::string(kFlows[f].name) + ": " + kClosing[f], "ms", SpreadOf(times.close));
    }
    EndStandIn(note);

    StandIn other = StartStandIn("Bench - Notepad");
    ASSERT_TRUE(other.ready);
    const Flow atSign{"\"@\" outside OneNote", nullptr, {VK_CONTROL, VK_MENU}, '0', kHotkeyWaitMs + kAtSignWaitMs, {}};
    Times times;
    for (int round = 0; round < kRounds; ++round) ASSERT_TRUE(RunOnce(atSign, vantor, other, times));
    Report(kSection, "\"@\" outside OneNote: key to \"@\" pasted, less 250 ms", "ms", SpreadOf(times.close));
    EndStandIn(other);
    ExitVantor(vantor);
}

}  // namespace
