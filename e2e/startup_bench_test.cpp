// How long Vantor takes to greet the user and to go away, next to the
// smallest program that shows one dialog. It prints; it asserts no timing.
// Run with --gtest_also_run_disabled_tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/driver/desktop.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

constexpr int kRounds = 10;
constexpr WORD kExitCommand = 1528;

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

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

struct Program {
    const char* name;
    std::string exe;      // copied into a fresh folder each round
    std::string caption;  // of the window that counts as "shown"
    // Makes the shown program leave as its user would.
    void (*leave)(HANDLE process, HWND shown, const std::string& folder);
};

struct Timing {
    std::vector<double> shown, ended;
};

// Vantor's notice answered, then "Exit" from the tray menu.
void LeaveVantor(HANDLE, HWND notice, const std::string&) {
    SendMessageA(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND tray = nullptr;
    for (int i = 0; i < 1000 && !(tray = FindWindowA("#32770", "Vantor")); ++i) Pump(5);
    while (tray && IsWindowVisible(tray)) Pump(5);  // idle: the hide timer has run
    Pump(200);
    PostMessageA(tray, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
}

void LeaveMinimal(HANDLE, HWND dialog, const std::string&) {
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
        program.leave(process, shown, folder);
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

    const double shown[2] = {Median(timings[0].shown), Median(timings[1].shown)};
    const double ended[2] = {Median(timings[0].ended), Median(timings[1].ended)};
    std::printf("\nMedian of %d starts under Wine (ms)\n", kRounds);
    std::printf("%-20s %14s %14s %12s\n", "program", "to the window", "exit to end", "size (bytes)");
    for (int p = 0; p < 2; ++p)
        std::printf("%-20s %14.1f %14.1f %12lld\n", programs[p].name, shown[p], ended[p],
                    FileSize(programs[p].exe));
    std::printf("%-20s %14.2f %14.2f %12.2f\n", "ratio Vantor/minimal", shown[0] / shown[1], ended[0] / ended[1],
                (double)FileSize(programs[0].exe) / (double)FileSize(programs[1].exe));
}

}  // namespace
