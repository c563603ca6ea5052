// A clock that only waits move, the other programs' actions due on it, the
// program's timers, and a local date the tests choose.
#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "platform/clock.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {
unsigned gNow = 0;
platform::LocalDate gDate{2026, 12, 7};

// Ordered by time, then by when they were asked for.
std::multimap<unsigned, std::function<void()>> gActions;

struct Timer {
    unsigned period;
    unsigned due;
};
std::map<uintptr_t, Timer> gTimers;
void (*gTimerHandler)(uintptr_t) = nullptr;

bool RunNextAction(unsigned until) {
    auto next = gActions.begin();
    if (next == gActions.end() || next->first > until) return false;
    gNow = std::max(gNow, next->first);
    std::function<void()> action = std::move(next->second);
    gActions.erase(next);
    action();
    return true;
}

bool FireNextTimer(unsigned until) {
    auto next = gTimers.end();
    for (auto t = gTimers.begin(); t != gTimers.end(); ++t)
        if (next == gTimers.end() || t->second.due < next->second.due) next = t;
    if (next == gTimers.end() || next->second.due > until) return false;
    gNow = std::max(gNow, next->second.due);
    next->second.due = gNow + std::max(next->second.period, 1u);
    if (gTimerHandler) gTimerHandler(next->first);
    return true;
}

unsigned NextActionTime() { return gActions.empty() ? kForever : gActions.begin()->first; }

unsigned NextTimerTime() {
    unsigned next = kForever;
    for (const auto& timer : gTimers) next = std::min(next, timer.second.due);
    return next;
}

}  // namespace

void ResetClock() {
    gNow = 0;
    gDate = {2026, 12, 7};
    gActions.clear();
    gTimers.clear();
    gTimerHandler = nullptr;
}

unsigned Now() { return gNow; }

void SetLocalDate(platform::LocalDate date) { gDate = date; }

void At(unsigned when, std::function<void()> action) { gActions.emplace(when, std::move(action)); }

void PassTime(unsigned milliseconds) {
    const unsigned end = gNow + milliseconds;
    while (RunNextAction(end)) {
    }
    gNow = std::max(gNow, end);
}

void DeliverTimersTo(void (*handler)(uintptr_t id)) { gTimerHandler = handler; }

bool TimerRunning(uintptr_t id) { return gTimers.count(id) != 0; }

void RunMessageLoop(unsigned milliseconds) {
    const unsigned end = gNow + milliseconds;
    while (std::min(NextTimerTime(), NextActionTime()) <= end) {
        if (NextTimerTime() < NextActionTime())
            FireNextTimer(end);
        else
            RunNextAction(end);
    }
    gNow = std::max(gNow, end);
}

}  // namespace sim

namespace platform {

// Other programs act meanwhile, and what they send the program's windows is
// answered; timers wait for the message loop.
void Sleep(unsigned milliseconds) {
    sim::Log("Sleep", std::to_string(milliseconds));
    sim::PassTime(milliseconds);
}

unsigned GetTickCount() {
    sim::Log("GetTickCount", std::to_string(sim::gNow));
    return sim::gNow;
}

void SetTimer(WindowHandle window, uintptr_t id, unsigned milliseconds) {
    sim::Log("SetTimer", sim::HandleText(window) + " " + std::to_string(id) + " " + std::to_string(milliseconds));
    sim::gTimers[id] = {milliseconds, sim::gNow + milliseconds};
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
