// A clock that only Sleep moves, and a local date the tests choose.
#include "platform/clock.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {
unsigned gNow = 0;
platform::LocalDate gDate{2026, 12, 7};
}  // namespace

void ResetClock() {
    gNow = 0;
    gDate = {2026, 12, 7};
}

unsigned Now() { return gNow; }

void SetLocalDate(platform::LocalDate date) { gDate = date; }

}  // namespace sim

namespace platform {

void Sleep(unsigned milliseconds) {
    sim::Log("Sleep", std::to_string(milliseconds));
    sim::gNow += milliseconds;
}

unsigned GetTickCount() {
    sim::Log("GetTickCount", std::to_string(sim::gNow));
    return sim::gNow;
}

LocalDate GetLocalTime() {
    sim::Log("GetLocalTime");
    return sim::gDate;
}

}  // namespace platform
