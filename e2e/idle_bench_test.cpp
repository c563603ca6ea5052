// What Vantor costs while it waits in the notification area, beside the
// smallest program that shows one dialog and waits too, and beside a window
// whose title keeps changing: wake-ups in 10 s, CPU time in 60 s, memory,
// windows. A report, not a check: run with --gtest_also_run_disabled_tests.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "bench/measure.h"
#include "e2e/driver/desktop.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/unix_process.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

const char kSection[] = "Idle";

void ReportBoth(const std::string& label, const char* unit, double vantor, double reference) {
    Report(kSection, label, unit, SpreadOf({vantor}));
    Report(kSection, label + " [reference]", unit, SpreadOf({reference}));
}

// A window whose title changes 20 times a second, for as long as it lives.
struct Ticker {
    std::atomic<bool> done{false};
    std::thread thread{[this] {
        HWND window = CreateWindowExA(0, "STATIC", "Ticker", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 80, nullptr, nullptr, nullptr, nullptr);
        for (int tick = 1; !done; ++tick, Pump(50)) SetWindowTextA(window, std::to_string(tick).c_str());
        DestroyWindow(window);
    }};
    ~Ticker() { done = true, thread.join(); }
};

TEST(IdleBench, DISABLED_Report) {
    Ticker ticker;
    VantorRun vantor = StartVantorReady();
    ASSERT_NE(vantor.tray, nullptr);
    ASSERT_TRUE(Eventually([&] { return !IsWindowVisible(vantor.tray); }));

    const std::string folder = FreshFolder("idle-reference");
    const std::string minimal = CopyInto(ProgramFolder() + "minimal_dialog.exe", folder);
    HANDLE reference = StartProgram(Quoted(minimal), folder);
    ASSERT_NE(reference, nullptr);
    ASSERT_NE(WaitForWindow("Minimal dialog"), nullptr);

    const int vantorUnix = UnixProcessStartedIn(vantor.folder);
    const int referenceUnix = UnixProcessStartedIn(folder);
    ASSERT_GT(vantorUnix, 0);
    ASSERT_GT(referenceUnix, 0);
    Sleep(2000);  // both settled

    const UnixFigures v0 = ReadUnixFigures(vantorUnix), r0 = ReadUnixFigures(referenceUnix);
    Sleep(10000);
    const UnixFigures v10 = ReadUnixFigures(vantorUnix), r10 = ReadUnixFigures(referenceUnix);
    Sleep(50000);
    const UnixFigures v60 = ReadUnixFigures(vantorUnix), r60 = ReadUnixFigures(referenceUnix);
    ASSERT_TRUE(v0.read && v60.read && r0.read && r60.read);
    // Both have run by now: totals of zero would mean the counters were not read.
    ASSERT_GT(v0.wakeUps, 0u);
    ASSERT_GT(v0.cpuNs, 0u);
    ASSERT_GT(r0.cpuNs, 0u);
    ReportBoth("CPU time from process start to idle", "ms", double(v0.cpuNs) / 1e6, double(r0.cpuNs) / 1e6);

    ReportBoth("wake-ups in 10 s, window thread", "wake-ups", double(v10.mainThreadWakeUps - v0.mainThreadWakeUps),
               double(r10.mainThreadWakeUps - r0.mainThreadWakeUps));
    ReportBoth("wake-ups in 10 s, all threads (Wine's own included)", "wake-ups", double(v10.wakeUps - v0.wakeUps),
               double(r10.wakeUps - r0.wakeUps));
    ReportBoth("CPU time in 60 s", "ms", double(v60.cpuNs - v0.cpuNs) / 1e6, double(r60.cpuNs - r0.cpuNs) / 1e6);
    ReportBoth("resident memory", "KB", double(v60.residentKb), double(r60.residentKb));
    ReportBoth("private (anonymous) memory", "KB", double(v60.privateKb), double(r60.privateKb));
    ReportBoth("windows of the process", "windows", WindowCount(GetProcessId(vantor.process)),
               WindowCount(GetProcessId(reference)));
    ReportBoth("GetGuiResources, USER objects (as Wine answers)", "objects",
               GetGuiResources(vantor.process, GR_USEROBJECTS), GetGuiResources(reference, GR_USEROBJECTS));
    ReportBoth("GetGuiResources, GDI objects (as Wine answers)", "objects",
               GetGuiResources(vantor.process, GR_GDIOBJECTS), GetGuiResources(reference, GR_GDIOBJECTS));

    EndProgram(reference, FindWindowA(nullptr, "Minimal dialog"));
    ExitVantor(vantor);
}

}  // namespace
