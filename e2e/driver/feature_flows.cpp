#include "e2e/driver/feature_flows.h"

#include <gtest/gtest.h>

#include <iterator>

#include "app/display_scale.h"
#include "e2e/driver/calendar.h"
#include "e2e/driver/desktop.h"

namespace e2e {

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void ExpectColourStripPainted(HWND dialog) {
    HWND strip = GetDlgItem(dialog, kHighlightStrip);
    ASSERT_NE(strip, nullptr);
    RECT place;
    GetWindowRect(strip, &place);
    HDC screen = GetDC(nullptr);
    const int dpi = ScreenDpi();
    auto pixel = [&](int x, int y) {
        return GetPixel(screen, place.left + ScalePixels(x, dpi), place.top + ScalePixels(y, dpi));
    };
    for (int k = 0; k < static_cast<int>(std::size(kGuideColours)); ++k) {
        const int left = 40 * k;
        EXPECT_EQ(pixel(left + 31, 16), kGuideColours[k].swatch) << "inside swatch " << k;
        EXPECT_EQ(pixel(left + 15, 10), RGB(201, 201, 201)) << "border of swatch " << k;
        EXPECT_EQ(pixel(left + 2, 10), GetSysColor(COLOR_BTNFACE)) << "left of swatch " << k;
        bool labelInk = false;
        for (int y = ScalePixels(5, dpi); y < ScalePixels(20, dpi) && !labelInk; ++y)
            for (int x = ScalePixels(left + 5, dpi); x < ScalePixels(left + 14, dpi) && !labelInk; ++x)
                labelInk = GetPixel(screen, place.left + x, place.top + y) == RGB(0, 0, 0);
        EXPECT_TRUE(labelInk) << "no black label beside swatch " << k;
    }
    EXPECT_EQ(pixel(25, 10), RGB(200, 0, 0)) << "the red line across swatch 0";
    EXPECT_NE(pixel(65, 10), RGB(200, 0, 0)) << "a red line across swatch 1";
    ReleaseDC(nullptr, screen);
}

namespace {

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

std::function<void()> CapitalKey(HWND, HANDLE, std::string& result) {
    result = CharLine(0xC9);
    return [] { Tap(0x32); };
}

std::function<void()> KeypadColour(HWND, HANDLE, std::string& result) {
    result = "PASTE";
    return [] { Tap(kGuideColours[2].key); };
}

// The first click on a day selects it; the second, timed, inserts it. The
// program remembers the day inserted last across dialogs, and one click on
// that day would insert at once: so each round takes another day.
std::function<void()> SecondClickOnADay(HWND dialog, HANDLE vantor, std::string& result) {
    static int round = 0;
    result = "PASTE";
    HWND calendar = GetDlgItem(dialog, kDatePickerCalendar);
    CalendarMap map = MapCalendar(vantor, calendar);
    SYSTEMTIME today;
    GetLocalTime(&today);
    // Days from the middle of the month: the calendar also shows the first
    // and last days of a month among its neighbours' weeks, so those have
    // two cells. Today, the day it opens on, is left out; the others come in
    // turn, never the same twice running.
    std::vector<int> days;
    for (int d = 10; d <= 20; ++d)
        if (d != today.wDay) days.push_back(d);
    const int day = days[round++ % days.size()];
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
    HWND combo = GetDlgItem(dialog, kContactCombo);
    if (!Eventually([&] { return SendMessageA(combo, CB_GETCOUNT, 0, 0) == 2; })) return nullptr;
    Tap(VK_HOME);
    if (!Eventually([&] { return TextOf(combo) == "Doe, Jane"; })) return nullptr;
    return [] { Tap(VK_RETURN); };
}

}  // namespace

const Flow kFeatureFlows[4] = {
    {"Ctrl+M", "Accents Majuscules", {VK_CONTROL, 0}, 'M', kHotkeySettleMs, CapitalKey},
    {"Ctrl+H", "Highlight line", {VK_CONTROL, 0}, 'H', kHotkeySettleMs, KeypadColour},
    {"Ctrl+D", "Date Picker", {VK_CONTROL, 0}, 'D', kHotkeySettleMs, SecondClickOnADay},
    {"\"@\"", "Contact Book", {VK_CONTROL, VK_MENU}, '0', kHotkeySettleMs, EnterOnAContact},
};


const Flow kShortcutElsewhere{"Ctrl+D outside OneNote", nullptr, {VK_CONTROL, 0}, 'D', kHotkeySettleMs, {}};

namespace {

int gRepeatedPresses = 0;

void PressHotkey(const Flow& flow) {
    if (flow.modifiers[1]) Chord({flow.modifiers[0], flow.modifiers[1]}, flow.key);
    else Chord({flow.modifiers[0]}, flow.key);
}

// What a hotkey press shows: the dialog, or outside OneNote the Ctrl+letter
// given back, logged at or after `from`.
bool PressShowed(const Flow& flow, const StandIn& standIn, size_t from, unsigned timeoutMs, HWND& dialog) {
    const double start = NowMs();
    while (NowMs() - start < timeoutMs) {
        if (flow.caption) {
            HWND found = FindWindowA(nullptr, flow.caption);
            if (found && IsWindowVisible(found)) {
                dialog = found;
                return true;
            }
        } else {
            std::vector<std::string> lines = ReadLogLines(standIn.log);
            for (size_t i = from; i < lines.size(); ++i)
                if (lines[i] == CharLine(flow.key & 0x1F)) return true;
        }
        Sleep(1);
    }
    return false;
}

}  // namespace

int RepeatedHotkeyPresses() { return gRepeatedPresses; }

HWND PressHotkeyFor(const char* caption, WORD modifier, WORD key) {
    const Flow flow{caption, caption, {modifier, 0}, key, 0, {}};
    StandIn none;
    HWND dialog = nullptr;
    PressHotkey(flow);
    if (PressShowed(flow, none, 0, 3000, dialog)) return dialog;
    ++gRepeatedPresses;
    PressHotkey(flow);
    if (PressShowed(flow, none, 0, kWait, dialog)) return dialog;
    ADD_FAILURE() << "two presses showed no \"" << caption << "\"";
    return nullptr;
}

bool RunFlow(const Flow& flow, const VantorRun& vantor, const StandIn& standIn, FlowTimes& times) {
    if (!BringToFront(standIn.window)) return false;
    Pump(200);
    size_t from = ReadLogLines(standIn.log).size();
    const double start = NowMs();
    PressHotkey(flow);
    HWND dialog = nullptr;
    if (!PressShowed(flow, standIn, from, 3000, dialog)) {
            ++gRepeatedPresses;
        PressHotkey(flow);
        if (!PressShowed(flow, standIn, from, kWait, dialog)) {
            ADD_FAILURE() << flow.name << ": two presses of the hotkey showed nothing";
            return false;
        }
    }
    const double shown = NowMs() - start - flow.designedWait;
    if (!flow.caption) {  // outside OneNote: the key given back, with the shortcut let go meanwhile
        times.close.push_back(shown);
        Pump(300);
        return true;
    }
    times.open.push_back(shown);
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

}  // namespace e2e
