// The call log and the reset of the whole simulated machine.
#include <cstdio>

#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {
std::vector<Call> gCalls;
}

void Log(const std::string& name, const std::string& detail) { gCalls.push_back({name, detail, Now()}); }

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string HandleText(platform::WindowHandle window) {
    return Hex(static_cast<unsigned>(reinterpret_cast<uintptr_t>(window)));
}

void ResetLog() { gCalls.clear(); }

const std::vector<Call>& Calls() { return gCalls; }

void ClearCalls() { gCalls.clear(); }

std::vector<std::string> CallNames() {
    std::vector<std::string> names;
    for (const Call& call : gCalls) names.push_back(call.name);
    return names;
}

void Reset() {
    ResetLog();
    ResetClock();
    ResetKeyboard();
    ResetDesktop();
    ResetClipboard();
    ResetHotkeys();
    ResetFiles();
    ResetIcons();
}

}  // namespace sim
