// A day's use in a few minutes: every feature many times in a row from its
// hotkey, and a hotkey pressed while another feature's dialog is open. No
// paste may go missing, and the program may keep nothing from one use to
// the next: its windows and its own memory end where they started.
// VANTOR_SOAK_ROUNDS sets the rounds (3 by default; the benchmark runs 50).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "bench/measure.h"
#include "e2e/driver/desktop.h"
#include "e2e/driver/feature_flows.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/unix_process.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

// Wine's heap keeps some freed memory and grows in steps; more than this
// after the warm-up would be memory kept per use.
constexpr unsigned long long kPrivateGrowthBoundKb = 4096;

int SoakRounds() {
    const char* rounds = std::getenv("VANTOR_SOAK_ROUNDS");
    int chosen = rounds ? std::atoi(rounds) : 0;
    return chosen > 0 ? chosen : 3;
}

// The date picker open over the note, the accented capitals over the date
// picker; then each closed with Escape, the inner one first.
void NestedDialogs(const StandIn& standIn) {
    ASSERT_TRUE(BringToFront(standIn.window));
    HWND picker = PressHotkeyFor("Date Picker", VK_CONTROL, 'D');
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(WaitForForeground(picker));
    Pump(500);
    HWND accents = PressHotkeyFor("Accents Majuscules", VK_CONTROL, 'M');
    ASSERT_NE(accents, nullptr);
    EXPECT_EQ(GetWindow(accents, GW_OWNER), picker);
    Pump(300);
    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(accents));
    EXPECT_TRUE(IsWindow(picker));
    ASSERT_TRUE(WaitForForeground(picker));
    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(picker));
}

struct Snapshot {
    UnixFigures unix;
    int windows = 0;
};

Snapshot Take(const VantorRun& vantor, int unixProcess) {
    Pump(1000);  // whatever the last use left to do is done
    return {ReadUnixFigures(unixProcess), WindowCount(GetProcessId(vantor.process))};
}

void ReportPair(const char* label, const char* unit, double before, double after) {
    Report("Soak", std::string(label) + ", before", unit, SpreadOf({before}));
    Report("Soak", std::string(label) + ", after", unit, SpreadOf({after}));
}

class Soak : public ::testing::Test {
protected:
    void TearDown() override {
        CancelDialogsAndExit(vantor);
        EndStandIn(note);
        EndStandIn(other);
    }

    VantorRun vantor;
    StandIn note, other;
};

TEST_F(Soak, EveryFeatureRepeatedAndNestedLeavesNothingBehind) {
    vantor = StartVantorReady();
    ASSERT_NE(vantor.tray, nullptr);
    note = StartStandIn("Soak - OneNote");
    ASSERT_TRUE(note.ready);
    other = StartStandIn("Soak - Notepad");
    ASSERT_TRUE(other.ready);
    const int unixProcess = UnixProcessStartedIn(vantor.folder);
    ASSERT_GT(unixProcess, 0) << "no Unix process runs " << vantor.folder;

    FlowTimes times;
    auto oneOfEach = [&] {
        for (const Flow& flow : kFeatureFlows) ASSERT_TRUE(RunFlow(flow, vantor, note, times)) << flow.name;
        ASSERT_TRUE(RunFlow(kShortcutElsewhere, vantor, other, times));
        NestedDialogs(note);
    };
    // The first use of each feature loads libraries and fills caches for good.
    oneOfEach();
    ASSERT_FALSE(HasFatalFailure());
    const Snapshot before = Take(vantor, unixProcess);
    const int rounds = SoakRounds();
    for (int round = 0; round < rounds; ++round) {
        oneOfEach();
        ASSERT_FALSE(HasFatalFailure()) << "round " << round;
    }
    const Snapshot after = Take(vantor, unixProcess);

    ASSERT_TRUE(before.unix.read && after.unix.read);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_LE(after.unix.privateKb, before.unix.privateKb + kPrivateGrowthBoundKb);
    const std::string uses = std::to_string(rounds) + " uses of each feature";
    ReportPair(("windows of the process, " + uses).c_str(), "windows", before.windows, after.windows);
    ReportPair(("private memory, " + uses).c_str(), "KB", before.unix.privateKb, after.unix.privateKb);
    ReportPair(("resident memory, " + uses).c_str(), "KB", before.unix.residentKb, after.unix.residentKb);
    Report("Soak", "hotkey presses made twice (the first came to nothing), " + uses, "presses",
           SpreadOf({double(RepeatedHotkeyPresses())}));
    EXPECT_EQ(ExitVantor(vantor), 0);
}

}  // namespace
