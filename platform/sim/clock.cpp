// A clock that only waits move, the other programs' actions due on it, the
// program's timers, and a local date the tests choose. A wait ends on the
// system timer's tick, as Windows' Sleep does: the clock runs in
// microseconds so that ticks of 15.625 ms add up without drift, and shows
// whole milliseconds.
#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "platform/clock.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {
uint64_t gNowUs = 0;
constexpr uint64_t kTickUs = 15625;
platform::LocalDate gDate{2026, 12, 7};

// Ordered by time, then by when they were asked for.
std::multimap<unsigned, std::function<void()>> gActions;

struct Timer {
    unsigned period;
    unsigned due;
};
std::map<uintptr_t, Timer> gTimers;
void (*gTimerHandler)(uintptr_t) = nullptr;

uint64_t Us(unsigned milliseconds) { return uint64_t{milliseconds} * 1000; }

bool RunNextAction(uint64_t untilUs) {
    auto next = gActions.begin();
    if (next == gActions.end() || Us(next->first) > untilUs) return false;
    gNowUs = std::max(gNowUs, Us(next->first));
    std::function<void()> action = std::move(next->second);
    gActions.erase(next);
    action();
    return true;
}

bool FireNextTimer(uint64_t untilUs) {
    auto next = gTimers.end();
    for (auto t = gTimers.begin(); t != gTimers.end(); ++t)
        if (next == gTimers.end() || t->second.due < next->second.due) next = t;
    if (next == gTimers.end() || Us(next->second.due) > untilUs) return false;
    gNowUs = std::max(gNowUs, Us(next->second.due));
    next->second.due = Now() + std::max(next->second.period, 1u);
    if (gTimerHandler) gTimerHandler(next->first);
    return true;
}

unsigned NextActionTime() { return gActions.empty() ? kForever : gActions.begin()->first; }

unsigned NextTimerTime() {
    unsigned next = kForever;
    for (const auto& timer : gTimers) next = std::min(next, timer.second.due);
    return next;
}

// Time passes by this many microseconds, the actions due meanwhile run.
void PassTimeUs(uint64_t microseconds) {
    const uint64_t end = gNowUs + microseconds;
    while (RunNextAction(end)) {}
    gNowUs = std::max(gNowUs, end);
}

}  // namespace

void ResetClock() {
    gNowUs = 0;
    gDate = {2026, 12, 7};
    gActions.clear();
    gTimers.clear();
    gTimerHandler = nullptr;
}

unsigned Now() { return static_cast<unsigned>(gNowUs / 1000); }

void SetLocalDate(platform::LocalDate date) { gDate = date; }

void At(unsigned when, std::function<void()> action) { gActions.emplace(when, std::move(action)); }

void PassTime(unsigned milliseconds) { PassTimeUs(Us(milliseconds)); }

namespace {

// The first tick at or after the time asked for; no time at all for 0.
void SleepOnTicks(unsigned milliseconds) {
    if (milliseconds == 0) return;
    const uint64_t wake = (gNowUs + Us(milliseconds) + kTickUs - 1) / kTickUs * kTickUs;
    PassTimeUs(wake - gNowUs);
}

}  // namespace

void DeliverTimersTo(void (*handler)(uintptr_t id)) { gTimerHandler = handler; }

bool TimerRunning(uintptr_t id) { return gTimers.count(id) != 0; }

void RunMessageLoop(unsigned milliseconds) {
    const uint64_t end = gNowUs + Us(milliseconds);
    while (Us(std::min(NextTimerTime(), NextActionTime())) <= end) {
        if (NextTimerTime() < NextActionTime()) FireNextTimer(end);
        else RunNextAction(end);
    }
    gNowUs = std::max(gNowUs, end);
}

}  // namespace sim

namespace platform {

// Other programs act meanwhile, and what they send the program's windows is
// answered; timers wait for the message loop. Like Windows' Sleep at its
// default timer resolution, a wait of 10 ms lasts a whole tick.
void Sleep(unsigned milliseconds) {
    sim::Log("Sleep", std::to_string(milliseconds));
    sim::SleepOnTicks(milliseconds);
}

unsigned GetTickCount() {
    sim::Log("GetTickCount", std::to_string(sim::Now()));
    return sim::Now();
}

void SetTimer(WindowHandle window, uintptr_t id, unsigned milliseconds) {
    sim::Log("SetTimer", sim::HandleText(window) + " " + std::to_string(id) + " " + std::to_string(milliseconds));
    sim::gTimers[id] = {milliseconds, sim::Now() + milliseconds};
}

void KillTimer(WindowHandle window, uintptr_t id) {
    sim::Log("KillTimer", sim::HandleText(window) + " " + std::to_string(id));
    sim::gTimers.erase(id);
}

LocalDate GetLocalTime() {
    sim::Log("GetLocalTime");
    return sim::gDate;
}

}  // namespace platform
