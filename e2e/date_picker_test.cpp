// The date picker as a user meets it: Ctrl+D in a note window opens the
// calendar, a day clicked twice is pasted there as HTML, and anything else
// (two different days, a month arrow, Esc, a window that is not OneNote)
// pastes nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "e2e/driver/calendar.h"
#include "e2e/driver/desktop.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

const char kOneNoteCaption[] = "Journal - OneNote";
const char kOtherCaption[] = "Journal - Notepad";
const char kDialogCaption[] = "Date Picker";
constexpr int kClientWidth = 456;
constexpr int kClientHeight = 308;
constexpr int kOffsetX = 310;
constexpr int kOffsetY = 210;
// Longer than the double-click time, so that each click is a click of its own.
constexpr unsigned kBetweenClicks = 600;
// How long a paste that should not come is given to come all the same.
constexpr unsigned kNoPasteWait = 800;

// ---- Expected texts, computed here without the program's date code ----

struct Day {
    int year, month, day;
};

Day Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

Day OtherDayOfMonth(const Day& day, int wanted) {
    return {day.year, day.month, wanted == day.day ? wanted + 1 : wanted};
}

std::chrono::sys_days AsDays(const Day& day) {
    return std::chrono::year{day.year} / std::chrono::month{static_cast<unsigned>(day.month)} /
           std::chrono::day{static_cast<unsigned>(day.day)};
}

// 1 = Monday ... 7 = Sunday.
int IsoWeekday(const Day& day) { return std::chrono::weekday{AsDays(day)}.iso_encoding(); }

// The week is numbered in the year that holds its Thursday.
int IsoWeek(const Day& day) {
    using namespace std::chrono;
    sys_days thursday = AsDays(day) + days{4 - IsoWeekday(day)};
    year_month_day ymd{thursday};
    sys_days firstOfYear = ymd.year() / January / 1;
    return static_cast<int>((thursday - firstOfYear).count() / 7 + 1);
}

// The default configuration's template "<b>w.dd/mm/yyyy (wn)</b>" and its
// English short weekday names.
std::string DefaultText(const Day& day) {
    static const char* const kShort[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    char text[64];
    std::snprintf(text, sizeof text, "<b>%s.%02d/%02d/%04d (%d)</b>", kShort[IsoWeekday(day) - 1], day.day,
                  day.month, day.year, IsoWeek(day));
    return text;
}

std::string EditedTemplate() { return "<i>yyyy-mm-dd wd</i>"; }

std::string EditedText(const Day& day) {
    static const char* const kLong[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                        "Friday", "Saturday", "Sunday"};
    char text[64];
    std::snprintf(text, sizeof text, "<i>%04d-%02d-%02d %s</i>", day.year, day.month, day.day,
                  kLong[IsoWeekday(day) - 1]);
    return text;
}

// The "HTML Format" document built around a fragment, every offset checked
// against the place it must point at.
void ExpectDocumentAround(const std::string& document, const std::string& fragment) {
    auto value = [&](const char* key) -> long {
        size_t at = document.find(key);
        return at == std::string::npos ? -1 : std::stol(document.substr(at + std::strlen(key), 10));
    };
    const long n = static_cast<long>(fragment.size());
    EXPECT_EQ(value("StartHTML:"), 105) << document;
    EXPECT_EQ(value("EndHTML:"), 179 + n) << document;
    EXPECT_EQ(value("StartFragment:"), 139) << document;
    EXPECT_EQ(value("EndFragment:"), 143 + n) << document;
    EXPECT_EQ(static_cast<long>(document.size()), 179 + n) << document;
    EXPECT_EQ(document.compare(105, 6, "<html>"), 0) << document;
    EXPECT_EQ(document.substr(139, n + 4), "\r\n" + fragment + "\r\n") << document;
    EXPECT_EQ(document.compare(143 + n, 18, "<!--EndFragment-->"), 0) << document;
}

// ---- One program run ----

class DatePicker : public ProgramSuite {
protected:
    void Start(const char* caption = kOneNoteCaption) {
        vantor = StartVantorReady();
        ASSERT_NE(vantor.tray, nullptr);
        standIn = StartStandIn(caption);
        ASSERT_TRUE(standIn.ready);
        ASSERT_TRUE(BringToFront(standIn.window));
    }

    // Ctrl+D in the stand-in; the dialog once it is on screen, mapped.
    void OpenWithCtrlD() {
        ASSERT_TRUE(BringToFront(standIn.window));
        Chord({VK_CONTROL}, 'D');
        AwaitDialog();
    }

    void AwaitDialog() {
        dialog = WaitForWindow(kDialogCaption);
        ASSERT_NE(dialog, nullptr);
        // The window exists before its controls and is shown once they are.
        for (int i = 0; i < 400 && !IsWindowVisible(dialog); ++i) Pump(25);
        ASSERT_TRUE(IsWindowVisible(dialog));
        calendar = GetDlgItem(dialog, kDatePickerCalendar);
        ASSERT_NE(calendar, nullptr);
        // A window that has just opened is given a moment before input.
        Pump(300);
        map = MapCalendar(vantor.process, calendar);
    }

    void ClickDay(const Day& day) {
        auto cell = map.days.find(DayKey(day.year, day.month, day.day));
        ASSERT_NE(cell, map.days.end()) << "no cell for " << DayKey(day.year, day.month, day.day) << " among "
                                        << map.days.size() << " (" << (map.days.empty() ? 0 : map.days.begin()->first) << " to "
                                        << (map.days.empty() ? 0 : map.days.rbegin()->first) << ")";
        ClickAtSettled(cell->second);
        Pump(kBetweenClicks);
    }

    void ClickNextMonth() {
        ASSERT_GE(map.next.x, 0) << "no next-month arrow found";
        ClickAtSettled(map.next);
        Pump(kBetweenClicks);
        map = MapCalendar(vantor.process, calendar);
    }

    size_t LogSize() { return ReadLogLines(standIn.log).size(); }

    // The paste that must come, at or after line `from` of the log.
    void ExpectPaste(const std::string& fragment, size_t from) {
        int paste = WaitForLogLine(standIn.log, "PASTE", from);
        ASSERT_GE(paste, 0) << "dialog still open: " << (IsWindow(dialog) != FALSE)
                            << "; clipboard: " << ClipboardHtml().value_or("(no HTML)");
        int html = WaitForLogLineStarting(standIn.log, "HTML ", paste + 1);
        int text = WaitForLogLineStarting(standIn.log, "TEXT ", paste + 1);
        ASSERT_EQ(html, paste + 1);
        ASSERT_EQ(text, paste + 2);
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        std::optional<std::string> document = HexPayload(lines[html]);
        ASSERT_TRUE(document.has_value()) << lines[html];
        ExpectDocumentAround(*document, fragment);
        std::string plain = fragment.substr(3, fragment.size() - 7);  // without the two tags
        EXPECT_EQ(HexPayload(lines[text]), plain) << lines[text];
        EXPECT_FALSE(IsWindow(dialog)) << "the dialog stayed after inserting";
    }

    // Nothing pasted since line `from`, and the dialog still waits.
    void ExpectNoPasteYet(size_t from) {
        Pump(kNoPasteWait);
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (size_t i = from; i < lines.size(); ++i) EXPECT_NE(lines[i], "PASTE") << "line " << i;
        EXPECT_TRUE(IsWindow(dialog)) << "the dialog closed";
    }

    HWND dialog = nullptr;
    HWND calendar = nullptr;
    CalendarMap map;
};

TEST_F(DatePicker, OpensOwnedByTheNoteWindowAtItsPlace) {
    Start();
    OpenWithCtrlD();
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), standIn.window);
    POINT ownerCorner{0, 0}, dialogCorner{0, 0};
    ClientToScreen(standIn.window, &ownerCorner);
    ClientToScreen(dialog, &dialogCorner);
    EXPECT_EQ(dialogCorner.x - ownerCorner.x, kOffsetX);
    EXPECT_EQ(dialogCorner.y - ownerCorner.y, kOffsetY);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)) & ~WS_DISABLED, 0x94C800D4u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)) & WS_EX_CONTROLPARENT,
              static_cast<DWORD>(WS_EX_CONTROLPARENT));
    RECT calendarRect;
    GetWindowRect(calendar, &calendarRect);
    EXPECT_EQ(calendarRect.right - calendarRect.left, kClientWidth);
    EXPECT_EQ(calendarRect.bottom - calendarRect.top, kClientHeight);
    EXPECT_FALSE(map.days.empty());
    SaveScreenshot("date_picker");
}

TEST_F(DatePicker, PastesADayClickedTwice) {
    Start();
    OpenWithCtrlD();
    Day day = OtherDayOfMonth(Today(), 14);
    size_t from = LogSize();
    ClickDay(day);
    ExpectNoPasteYet(from);
    ClickDay(day);
    ExpectPaste(DefaultText(day), from);
    EXPECT_TRUE(WaitForForeground(standIn.window));
}

TEST_F(DatePicker, PastesTodayClickedTwice) {
    Start();
    OpenWithCtrlD();
    size_t from = LogSize();
    ClickDay(Today());
    ClickDay(Today());
    ExpectPaste(DefaultText(Today()), from);
}

TEST_F(DatePicker, TwoDifferentDaysPasteNothingUntilTheSecondIsClickedAgain) {
    Start();
    OpenWithCtrlD();
    Day first = OtherDayOfMonth(Today(), 9);
    Day second = OtherDayOfMonth(Today(), 20);
    size_t from = LogSize();
    ClickDay(first);
    ClickDay(second);
    ExpectNoPasteYet(from);
    ClickDay(second);
    ExpectPaste(DefaultText(second), from);
}

TEST_F(DatePicker, MonthArrowAfterADayPastesNothing) {
    Start();
    OpenWithCtrlD();
    size_t from = LogSize();
    ClickDay(OtherDayOfMonth(Today(), 12));
    ClickNextMonth();
    ExpectNoPasteYet(from);
    // The arrow moves by as many months as the calendar shows: the day is
    // taken in the first month now on screen, which must lie ahead.
    ASSERT_FALSE(map.days.empty());
    long first = map.days.begin()->first;
    Day shown{static_cast<int>(first / 10000), static_cast<int>(first / 100 % 100), 16};
    EXPECT_GT(first, DayKey(Today().year, Today().month, 31));
    ClickDay(shown);
    ExpectNoPasteYet(from);
    ClickDay(shown);
    ExpectPaste(DefaultText(shown), from);
}

TEST_F(DatePicker, EscapePastesNothingAndGivesTheNoteWindowBack) {
    Start();
    OpenWithCtrlD();
    size_t from = LogSize();
    ClickDay(OtherDayOfMonth(Today(), 11));
    ASSERT_TRUE(WaitForForeground(dialog));
    Tap(VK_ESCAPE);
    for (int i = 0; i < 200 && IsWindow(dialog); ++i) Pump(25);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(WaitForForeground(standIn.window));
    // A last key: once it is logged, any paste sent before it would be too.
    Tap('X');
    ASSERT_GE(WaitForLogLine(standIn.log, CharLine('x'), from), 0);
    std::vector<std::string> lines = ReadLogLines(standIn.log);
    for (size_t i = from; i < lines.size(); ++i) EXPECT_NE(lines[i], "PASTE") << "line " << i;
}

TEST_F(DatePicker, AnEditOfTheOutputShowsInTheNextDialog) {
    Start();
    OpenWithCtrlD();
    Day day = OtherDayOfMonth(Today(), 7);
    size_t from = LogSize();
    ClickDay(day);
    ClickDay(day);
    ExpectPaste(DefaultText(day), from);

    // The program's profile cache notices a change only by the file's time.
    Pump(1100);
    ASSERT_TRUE(WritePrivateProfileStringA("date_picker", "output", EditedTemplate().c_str(), vantor.ini.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, vantor.ini.c_str());
    OpenWithCtrlD();
    from = LogSize();
    ClickDay(day);
    ClickDay(day);
    int paste = WaitForLogLine(standIn.log, "PASTE", from);
    ASSERT_GE(paste, 0);
    int html = WaitForLogLineStarting(standIn.log, "HTML ", paste + 1);
    ASSERT_EQ(html, paste + 1);
    std::optional<std::string> document = HexPayload(ReadLogLines(standIn.log)[html]);
    ASSERT_TRUE(document.has_value());
    ExpectDocumentAround(*document, EditedText(day));
}

// A configuration without names: the built-in French ones, whose accented
// letters reach the HTML as UTF-8 and the plain text in the ANSI code page.
TEST_F(DatePicker, FrenchFallbackNamesArePastedAsUtf8) {
    vantor = StartVantorReady("Vantor", "[date_picker]\r\noutput=<b>MM dd</b>\r\n");
    ASSERT_NE(vantor.tray, nullptr);
    standIn = StartStandIn(kOneNoteCaption);
    ASSERT_TRUE(standIn.ready);
    OpenWithCtrlD();
    const std::map<int, std::string> kAccented = {
        {2, "f\xC3\xA9vrier"}, {8, "ao\xC3\xBBt"}, {12, "d\xC3\xA9" "cembre"}};
    std::optional<Day> day;
    for (int page = 0; page < 12 && !day; ++page) {
        for (const auto& [key, cell] : map.days) {
            Day shown{static_cast<int>(key / 10000), static_cast<int>(key / 100 % 100), 16};
            if (kAccented.count(shown.month) && map.days.count(DayKey(shown.year, shown.month, 16))) {
                day = shown;
                break;
            }
        }
        if (!day) ClickNextMonth();
    }
    ASSERT_TRUE(day.has_value()) << "no February, August or December came into view";
    const std::string& utf8 = kAccented.at(day->month);
    size_t from = LogSize();
    ClickDay(*day);
    ClickDay(*day);
    int paste = WaitForLogLine(standIn.log, "PASTE", from);
    ASSERT_GE(paste, 0);
    std::vector<std::string> lines = ReadLogLines(standIn.log);
    ASSERT_GE(lines.size(), static_cast<size_t>(paste) + 3);
    std::optional<std::string> document = HexPayload(lines[paste + 1]);
    ASSERT_TRUE(document.has_value()) << lines[paste + 1];
    ExpectDocumentAround(*document, "<b>" + utf8 + " 16</b>");
    EXPECT_EQ(HexPayload(lines[paste + 2]), utf8 + " 16") << lines[paste + 2] << ": the Unicode text";
}

// Given back: the window gets its Ctrl+D, and the shortcut stays Vantor's.
TEST_F(DatePicker, CtrlDOutsideOneNoteOpensNothingAndReachesTheWindow) {
    Start(kOtherCaption);
    size_t from = LogSize();
    Chord({VK_CONTROL}, 'D');
    EXPECT_GE(WaitForLogLine(standIn.log, CharLine(0x04), from), 0) << "the window did not get Ctrl+D";
    Pump(500);
    EXPECT_EQ(FindWindowA(nullptr, kDialogCaption), nullptr);
    EXPECT_TRUE(HotkeyHeldElsewhere(MOD_CONTROL, 'D')) << "Ctrl+D was let go";
}

TEST_F(DatePicker, TrayMenuCommandOpensItWithoutOwner) {
    Start();
    ChooseMenuCommand(vantor, kDatePickerCommand);
    AwaitDialog();
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    POINT corner{0, 0};
    ClientToScreen(dialog, &corner);
    EXPECT_EQ(corner.x, kOffsetX);
    EXPECT_EQ(corner.y, kOffsetY);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    for (int i = 0; i < 200 && IsWindow(dialog); ++i) Pump(25);
    EXPECT_FALSE(IsWindow(dialog));
}

}  // namespace
