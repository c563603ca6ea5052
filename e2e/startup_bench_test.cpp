// How long Vantor takes to greet the user and to go away, next to the
// smallest program that shows one dialog. It prints; it asserts no timing.
// Run with --gtest_also_run_disabled_tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "e2e/driver/desktop.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

constexpr int kRounds = 10;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * (double)counter.QuadPart / (double)frequency.QuadPart;
}

struct Timing {
    std::vector<double> shown, ended, firstHotkey;
};

struct Program {
    const char* name;
    std::string exe;      // copied into a fresh folder each round
    std::string caption;  // of the window that counts as "shown"
    // Makes the shown program leave as its user would.
    void (*leave)(HANDLE process, HWND shown, const std::string& folder, Timing& timing);
};

// Vantor's notice answered; once it has gone (the hotkeys are registered as
// it returns), Ctrl+M until one is taken; then "Exit" from the tray menu.
void LeaveVantor(HANDLE, HWND notice, const std::string&, Timing& timing) {
    const double answered = Now();
    SendMessageA(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    while (IsWindow(notice) && Now() - answered < kWait) Sleep(1);
    HWND tray = FindWindowA("#32770", "Vantor");
    HWND dialog = nullptr;
    // A press comes again only after the designed wait and more: two at once
    // would open the dialog twice.
    for (int tries = 0; tray && !dialog && tries < 10; ++tries) {
        Chord({VK_CONTROL}, 'M');
        for (int i = 0; i < 1000 && !dialog; ++i) {
            dialog = FindWindowA(nullptr, "Accents Majuscules");
            if (!dialog) Sleep(1);
        }
    }
    if (dialog) {
        timing.firstHotkey.push_back(Now() - answered - 100);  // the dispatcher's designed wait
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        while (IsWindow(dialog)) Pump(5);
    }
    while (tray && IsWindowVisible(tray)) Pump(5);  // idle: the hide timer has run
    Pump(200);
    PostMessageA(tray, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
}

void LeaveMinimal(HANDLE, HWND dialog, const std::string&, Timing&) {
    Pump(200);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// One round: from CreateProcess until the window is visible, and from the
// leaving message until the process has ended. False on a time-out.
bool MeasureOnce(const Program& program, Timing& timing) {
    const std::string folder = FreshFolder("bench");
    const std::string exe = CopyInto(program.exe, folder);
    if (exe.empty()) return false;
    const double start = Now();
    HANDLE process = StartProgram(Quoted(exe), folder);
    if (!process) return false;
    HWND shown = nullptr;
    while (Now() - start < kWait) {
        shown = FindWindowA(nullptr, program.caption.c_str());
        if (shown && IsWindowVisible(shown)) break;
        shown = nullptr;
        Sleep(1);
    }
    const double visible = Now();
    bool ok = shown != nullptr;
    if (ok) {
        program.leave(process, shown, folder, timing);
        const double leaving = Now();
        ok = WaitForSingleObject(process, kWait) == WAIT_OBJECT_0;
        timing.shown.push_back(visible - start);
        timing.ended.push_back(Now() - leaving);
    }
    if (!ok) {
        ADD_FAILURE() << program.name << " did not show \"" << program.caption << "\" or did not end";
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
    return ok;
}

TEST(StartupBench, DISABLED_Report) {
    const Program programs[] = {
        {"Vantor.exe", VantorExecutable(), "Vantor 1.1", LeaveVantor},
        {"minimal_dialog.exe", ProgramFolder() + "minimal_dialog.exe", "Minimal dialog", LeaveMinimal},
    };
    Timing timings[2];
    for (int round = 0; round < kRounds; ++round)
        for (int p = 0; p < 2; ++p) ASSERT_TRUE(MeasureOnce(programs[p], timings[p])) << "round " << round;

    const char kSection[] = "Start-up and exit";
    Report(kSection, "process creation to the notice visible", "ms", SpreadOf(timings[0].shown));
    Report(kSection, "process creation to the notice visible [reference]", "ms", SpreadOf(timings[1].shown));
    Report(kSection, "\"Exit\" to the process ended", "ms", SpreadOf(timings[0].ended));
    Report(kSection, "\"Exit\" to the process ended [reference]", "ms", SpreadOf(timings[1].ended));
    Report(kSection, "notice answered to the first hotkey taken, less 100 ms", "ms",
           SpreadOf(timings[0].firstHotkey));
}

}  // namespace
