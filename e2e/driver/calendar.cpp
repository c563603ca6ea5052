#include "e2e/driver/calendar.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>

#include "e2e/driver/desktop.h"

namespace e2e {

namespace {

// The first fields of MCHITTESTINFO, which every version of the control
// accepts.
struct HitTest {
    UINT cbSize;
    POINT pt;
    UINT uHit;
    SYSTEMTIME st;
};

}  // namespace

long DayKey(int year, int month, int day) { return year * 10000L + month * 100L + day; }

// The structure of MCM_HITTEST has to live in the calendar's own process.
CalendarMap MapCalendar(HANDLE process, HWND calendar) {
    CalendarMap map;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(HitTest), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) {
        ADD_FAILURE() << "VirtualAllocEx failed: " << GetLastError();
        return map;
    }
    struct Sum {
        long x = 0, y = 0, count = 0;
    };
    std::map<long, Sum> days;
    Sum next;
    RECT client;
    GetClientRect(calendar, &client);
    for (int y = 2; y < client.bottom; y += 6) {
        for (int x = 2; x < client.right; x += 8) {
            HitTest probe{sizeof(HitTest), {x, y}, 0, {}};
            SIZE_T moved = 0;
            WriteProcessMemory(process, remote, &probe, sizeof probe, &moved);
            SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(remote));
            ReadProcessMemory(process, remote, &probe, sizeof probe, &moved);
            Sum* sum = nullptr;
            if (probe.uHit == MCHT_CALENDARDATE) sum = &days[DayKey(probe.st.wYear, probe.st.wMonth, probe.st.wDay)];
            if (probe.uHit == MCHT_TITLEBTNNEXT) sum = &next;
            if (!sum) continue;
            sum->x += x;
            sum->y += y;
            ++sum->count;
        }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    auto centre = [&](const Sum& sum) {
        POINT point{sum.x / sum.count, sum.y / sum.count};
        ClientToScreen(calendar, &point);
        return point;
    };
    for (const auto& [key, sum] : days) map.days[key] = centre(sum);
    if (next.count) map.next = centre(next);
    return map;
}

void ClickAtSettled(POINT point) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    move.mi.dx = static_cast<LONG>((static_cast<long long>(point.x) * 65535 + (width - 1) / 2) / (width - 1));
    move.mi.dy = static_cast<LONG>((static_cast<long long>(point.y) * 65535 + (height - 1) / 2) / (height - 1));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    POINT at{-1, -1};
    for (int i = 0; i < 100; ++i) {
        GetCursorPos(&at);
        if (std::abs(at.x - point.x) <= 1 && std::abs(at.y - point.y) <= 1) break;
        Pump(10);
    }
    EXPECT_TRUE(std::abs(at.x - point.x) <= 1 && std::abs(at.y - point.y) <= 1)
        << "pointer at (" << at.x << "," << at.y << "), not (" << point.x << "," << point.y << ")";
    Pump(50);
    ClickAt(point.x, point.y);
}

}  // namespace e2e
