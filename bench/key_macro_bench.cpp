// Cost of turning key macros into key events, against the keyboard layout
// of the platform the bench runs on.
#include <string>

#include "bench/measure.h"
#include "inject/key_macro.h"
#include "platform/codepage.h"
#ifndef _WIN32
#include "platform/sim/sim.h"
#endif

namespace {

volatile size_t gSink;

KeyLayout PlatformLayout() {
    platform::LayoutHandle handle = platform::GetKeyboardLayout();
    return KeyLayout{
        [handle](unsigned char character) { return platform::VkKeyScanExA(character, handle); },
        [](uint16_t key) { return static_cast<uint16_t>(platform::MapVirtualKeyA(key)); },
        [](unsigned char character) { return static_cast<uint16_t>(character); },
        [](std::string& name) { platform::CharUpperBuffA(name); },
    };
}

void Measure(const char* what, const std::string& macro, long calls, const KeyLayout& layout) {
    Report("KeyMacroEvents", what, "ns/call", NanosecondsPerCall(9, calls, [&](long) {
               gSink = KeyMacroEvents(macro, layout).size();
           }, ForgetCalls));
}

}  // namespace

int main() {
#ifndef _WIN32
    sim::Reset();
#endif
    const KeyLayout layout = PlatformLayout();
    std::string longText;
    while (longText.size() < 1000) longText += "Compte rendu, points 1 to 9 ";
    Measure("highlight paste \"{CTRL_D}v{CTRL_U}{END}{ESCAPE}\"", "{CTRL_D}v{CTRL_U}{END}{ESCAPE}", 20000, layout);
    Measure("select and copy line", "{HOME}{SHIFT_D}{END}{SHIFT_U}{CTRL_D}c{CTRL_U}", 20000, layout);
    Measure("one capital, E acute (byte 0xC9)", "\xC9", 20000, layout);
    Measure("1,000 plain characters", longText.substr(0, 1000), 200, layout);
    return 0;
}
