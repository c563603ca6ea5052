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

// The cost of keeping the user's clipboard: the paste of the three pasting
// features with an empty clipboard and with a 1 MB text and a 2 MB image
// on it, the result kept on the clipboard (restore_clipboard=0, as before)
// and the clipboard put back; and how long the put-back takes after the
// paste.
void PlaceLargeCopy(bool large) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    if (large) {
        auto place = [](UINT format, size_t size, char fill) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
            char* bytes = (char*)GlobalLock(block);
            memset(bytes, fill, size);
            bytes[size - 1] = bytes[size - 2] = 0;
            if (format == CF_DIB) *(DWORD*)bytes = sizeof(BITMAPINFOHEADER);
            GlobalUnlock(block);
            SetClipboardData(format, block);
        };
        place(CF_UNICODETEXT, 1 << 20, 'k');
        place(CF_DIB, 2 << 20, 0x40);
    }
    CloseClipboard();
}

TEST(HotkeyBench, DISABLED_KeptClipboard) {
    VantorRun vantor = StartVantorReady();
    ASSERT_NE(vantor.tray, nullptr);
    StandIn note = StartStandIn("Bench - OneNote");
    ASSERT_TRUE(note.ready);
    for (bool large : {false, true}) {
        for (size_t f = 1; f < std::size(kFeatureFlows); ++f) {
            const std::string what =
                std::string(kFeatureFlows[f].name) + (large ? ", 1 MB text + 2 MB image: " : ", empty clipboard: ");
            std::vector<double> putBack;
            for (bool restore : {true, false}) {  // read by the program at each request
                WritePrivateProfileStringW(L"options", L"restore_clipboard", restore ? L"1" : L"0", Wide(vantor.ini).c_str());
                FlowTimes times;
                for (int round = 0; round < kRounds; ++round) {
                    PlaceLargeCopy(large);
                    ASSERT_TRUE(RunFlow(kFeatureFlows[f], vantor, note, times));
                    const double pasted = NowMs();
                    // Put back: the clipboard is the tray window's again, without the result.
                    if (restore && Eventually([&] { return GetClipboardOwner() == vantor.tray &&
                                                           !IsClipboardFormatAvailable(RegisterClipboardFormatA("HTML Format")); }, 5000))
                        putBack.push_back(NowMs() - pasted);
                }
                Report("The user's clipboard kept", what + kClosing[f] + (restore ? ", put back after" : ", kept on the clipboard [reference]"),
                       "ms", SpreadOf(times.close));
            }
            Report("The user's clipboard kept", what + "paste logged to the clipboard put back", "ms", SpreadOf(putBack));
        }
    }
    EndStandIn(note);
    ExitVantor(vantor);
}

}  // namespace
