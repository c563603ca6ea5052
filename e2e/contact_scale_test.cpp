// How the contact book keeps up with a large book: from the "@" key to the
// dialog on screen, one letter's narrowing and one Backspace's widening, at
// 1,000, 10,000 and 50,000 contacts. A report, not a check: run it with
// --gtest_also_run_disabled_tests (VANTOR_SCALE_SIZES=1000,10000 to choose).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "e2e/driver/desktop.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

constexpr int kRounds = 10;

// Surnames "Aaaaa" .. from a counter written in the letters "a" to "p",
// given names from a short list: only "Quentin", a fifth of them, holds "q".
std::string ScaleIni(int contacts) {
    const char* given[] = {"Anna", "Paul", "Marie", "Louis", "Quentin"};
    std::string ini = "[domains]\r\ndefault=Microsoft@microsoft.com\r\nY!=Yahoo!@yahoo.com\r\n[contact_book]\r\n";
    for (int i = 0; i < contacts; ++i) {
        std::string surname = "A";
        for (int n = i, k = 0; k < 4; ++k, n /= 16) surname += static_cast<char>('a' + n % 16);
        std::string name = surname + ", " + given[i % 5];
        ini += name + "=mailto:" + given[i % 5] + "." + surname + "@yahoo.com\r\n";
    }
    return ini;
}

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

LRESULT ItemCount(HWND book) { return SendMessageA(GetDlgItem(book, kContactCombo), CB_GETCOUNT, 0, 0); }

// From the injection until the list holds `count` items: the count is only
// answered once the dialog's thread has finished with the key.
double TimeKey(HWND book, WORD key, LRESULT count) {
    double start = NowMs();
    Tap(key);
    while (ItemCount(book) != count && NowMs() - start < 600000) Sleep(1);
    return NowMs() - start;
}

struct ScaleRow {
    int contacts;
    Spread open, narrow, widen;
};

ScaleRow MeasureScale(int contacts) {
    ScaleRow row{contacts, {}, {}, {}};
    VantorRun vantor = StartVantorReady("Vantor", ScaleIni(contacts));
    StandIn standIn = StartStandIn("Scale - OneNote");
    std::vector<double> open, narrow, widen;
    for (int round = 0; round < kRounds && vantor.tray && standIn.ready; ++round) {
        if (!BringToFront(standIn.window)) break;
        Pump(200);
        double start = NowMs();
        Chord({VK_CONTROL, VK_MENU}, '0');
        HWND book = nullptr;
        while (!(book = FindWindowA(nullptr, "Contact Book")) || !IsWindowVisible(book) ||
               ItemCount(book) != contacts) {
            if (NowMs() - start > 600000) break;
            Sleep(1);
        }
        open.push_back(NowMs() - start - kHotkeySettleMs);
        if (!book) break;
        Pump(300);
        narrow.push_back(TimeKey(book, 'Q', contacts / 5));
        Pump(100);
        widen.push_back(TimeKey(book, VK_BACK, contacts));
        Tap(VK_ESCAPE);
        while (IsWindow(book)) Pump(10);
    }
    ExitVantor(vantor);
    EndStandIn(standIn);
    row.open = SpreadOf(open);
    row.narrow = SpreadOf(narrow);
    row.widen = SpreadOf(widen);
    return row;
}

std::vector<int> ScaleSizes() {
    std::vector<int> sizes;
    const char* chosen = std::getenv("VANTOR_SCALE_SIZES");
    std::string text = chosen ? chosen : "1000,10000,50000";
    for (size_t at = 0; at < text.size();) {
        size_t comma = text.find(',', at);
        if (comma == std::string::npos) comma = text.size();
        int size = std::atoi(text.substr(at, comma - at).c_str());
        if (size > 0) sizes.push_back(size);
        at = comma + 1;
    }
    return sizes;
}

TEST(ContactScale, DISABLED_Report) {
    std::vector<ScaleRow> rows;
    for (int contacts : ScaleSizes()) rows.push_back(MeasureScale(contacts));
    for (const ScaleRow& row : rows) {
        const std::string size = std::to_string(row.contacts) + " contacts";
        Report("Contact book scaling", "\"@\" to the book visible, less 100 ms, " + size, "ms", row.open);
        Report("Contact book scaling", "one letter narrows, " + size, "ms", row.narrow);
        Report("Contact book scaling", "one Backspace widens, " + size, "ms", row.widen);
    }
}

}  // namespace
