// The four features driven from their hotkeys to their result in the
// stand-in, one round at a time, timed: what the benchmarks measure and the
// soak repeats.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

namespace e2e {

// The highlighter's colours as the user guide gives them for each keypad
// key, with the colour of its swatch in the strip.
struct GuideColour {
    WORD key;
    const char* name;
    COLORREF swatch;
};
inline const GuideColour kGuideColours[] = {
    {VK_NUMPAD0, "transparent", RGB(255, 255, 255)},
    {VK_NUMPAD1, "aqua", RGB(0, 255, 255)},
    {VK_NUMPAD2, "lime", RGB(0, 255, 0)},
    {VK_NUMPAD3, "fuchsia", RGB(255, 0, 255)},
    {VK_NUMPAD4, "yellow", RGB(255, 255, 0)},
};

struct Flow {
    const char* name;
    const char* caption;  // of the dialog; null when none opens
    WORD modifiers[2];    // the hotkey, 0 for none
    WORD key;
    double designedWait;  // subtracted from the opening time
    // Brings the open dialog to the point where one key or click finishes
    // it; answers that last action and the log line that marks its result.
    std::function<std::function<void()>(HWND dialog, HANDLE vantor, std::string& result)> prepare;
};

struct FlowTimes {
    std::vector<double> open, close;
};

// Ctrl+M and the 2 key; Ctrl+H and keypad 2; Ctrl+D and a day clicked
// twice; "@", "doe", Home and Enter. In a stand-in whose title holds "OneNote".
extern const Flow kFeatureFlows[4];
// Ctrl+D in a window that is not OneNote: no dialog, Ctrl+D given back.
extern const Flow kShortcutElsewhere;

// One round of the flow, from the stand-in in front to its result logged
// and the dialog gone; false (with a failure) if any step did not come.
bool RunFlow(const Flow& flow, const VantorRun& vantor, const StandIn& standIn, FlowTimes& times);

double NowMs();

// The highlighter's colour strip as painted on screen: each swatch of
// kGuideColours, its
// border and label, and the red line across the first, at the places of a
// 96 DPI strip scaled to the screen's DPI.
void ExpectColourStripPainted(HWND dialog);

// A press whose dialog (or paste) had not come 3 s later is made once more:
// under Wine a hotkey press was seen, rarely, to come to nothing in long
// runs. How many presses were repeated so far; the soak and the benchmark
// report it, and a second press that also shows nothing fails the flow.
int RepeatedHotkeyPresses();

// Modifier+key, pressed again as above, until the dialog of that caption is
// on screen; null (with a failure) when it never came.
HWND PressHotkeyFor(const char* caption, WORD modifier, WORD key);

}  // namespace e2e
