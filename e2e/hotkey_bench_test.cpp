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
#include "e2e/driver/desktop.h"
#include "e2e/driver/feature_flows.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

constexpr int kRounds = 10;
const char kSection[] = "Hotkeys in the stand-in";

const char* const kClosing[] = {"the 2 key to the capital typed", "keypad 2 to the paste (with 2 x 50 ms designed)",
                                "second click to the paste", "Enter to the paste"};

TEST(HotkeyBench, DISABLED_Report) {
    VantorRun vantor = StartVantorReady();
    ASSERT_NE(vantor.tray, nullptr);
    StandIn note = StartStandIn("Bench - OneNote");
    ASSERT_TRUE(note.ready);
    for (size_t f = 0; f < std::size(kFeatureFlows); ++f) {
        FlowTimes times;
        for (int round = 0; round < kRounds; ++round)
            ASSERT_TRUE(RunFlow(kFeatureFlows[f], vantor, note, times)) << kFeatureFlows[f].name << " round " << round;
        Report(kSection, std::string(kFeatureFlows[f].name) + ": hotkey to dialog visible, less 100 ms", "ms",
               SpreadOf(times.open));
        Report(kSection, std::string(kFeatureFlows[f].name) + ": " + kClosing[f], "ms", SpreadOf(times.close));
    }
    EndStandIn(note);

    StandIn other = StartStandIn("Bench - Notepad");
    ASSERT_TRUE(other.ready);
    FlowTimes times;
    for (int round = 0; round < kRounds; ++round) ASSERT_TRUE(RunFlow(kShortcutElsewhere, vantor, other, times));
    Report(kSection, "Ctrl+D outside OneNote: key to Ctrl+D given back, less 100 ms", "ms", SpreadOf(times.close));
    EndStandIn(other);
    Report(kSection, "hotkey presses made twice (the first came to nothing)", "presses",
           SpreadOf({double(RepeatedHotkeyPresses())}));
    ExitVantor(vantor);
}

}  // namespace
