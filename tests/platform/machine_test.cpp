// The call log, the clock and Reset().
#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/sim/sim.h"

namespace {

using Names = std::vector<std::string>;

TEST(CallLog, RecordsEveryCallWithItsTime) {
    sim::Reset();
    platform::GetForegroundWindow();
    platform::Sleep(100);
    platform::Sleep(50);
    platform::OpenClipboard(nullptr);
    platform::CloseClipboard();
    EXPECT_EQ(sim::CallNames(),
              (Names{"GetForegroundWindow", "Sleep", "Sleep", "OpenClipboard", "CloseClipboard"}));
    const auto& calls = sim::Calls();
    EXPECT_EQ(calls[1].detail, "100");
    EXPECT_EQ(calls[2].detail, "50");
    // Waits end on ticks of 15.625 ms, as on Windows: at 109.375, then 171.875.
    unsigned times[] = {0, 0, 109, 171, 171};
    for (size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i].at, times[i]) << calls[i].name;
    EXPECT_EQ(sim::Now(), 171u);
    sim::ClearCalls();
    EXPECT_TRUE(sim::Calls().empty());
    EXPECT_EQ(sim::Now(), 171u);
}

TEST(CallLog, DetailsNameTheArguments) {
    sim::Reset();
    unsigned format = platform::RegisterClipboardFormatA("HTML Format");
    platform::OpenClipboard(nullptr);
    platform::PutClipboardBytes(format, "x", platform::kGmemMoveable);
    platform::CloseClipboard();
    platform::RegisterHotKey(nullptr, 7, platform::kModControl, 'M');
    platform::ShellExecuteOpen("C:\\Vantor\\Vantor.ini");
    const auto& calls = sim::Calls();
    auto detailOf = [&](const std::string& name) {
        for (const auto& call : calls)
            if (call.name == name) return call.detail;
        return std::string("<absent>");
    };
    EXPECT_NE(detailOf("RegisterClipboardFormatA").find("HTML Format"), std::string::npos);
    EXPECT_NE(detailOf("SetClipboardData").find("0xC000"), std::string::npos);
    EXPECT_NE(detailOf("RegisterHotKey").find("0x4D"), std::string::npos);
    EXPECT_EQ(detailOf("ShellExecuteW"), "C:\\Vantor\\Vantor.ini");
}

TEST(Reset, GivesANewMachine) {
    sim::Reset();
    platform::Sleep(10);
    sim::SetFile("C:\\x.txt", "x");
    sim::SetForeground(sim::AddWindow("OneNote"));
    platform::GlobalAddAtomA("atom");
    platform::RegisterHotKey(nullptr, 1, 0, 'A');
    platform::OpenClipboard(nullptr);
    sim::SetClipboardData(1, "text");
    sim::SetLocalDate({2000, 1, 2});
    sim::SetModuleFileName("D:\\Other\\Other.exe");

    sim::Reset();
    EXPECT_TRUE(sim::Calls().empty());
    EXPECT_EQ(sim::Now(), 0u);
    std::string bytes;
    EXPECT_FALSE(sim::GetFile("C:\\x.txt", bytes));
    EXPECT_TRUE(sim::LiveAtoms().empty());
    EXPECT_TRUE(sim::RegisteredHotkeys().empty());
    EXPECT_FALSE(sim::ClipboardIsOpen());
    EXPECT_TRUE(sim::ClipboardContent().empty());
    EXPECT_EQ(platform::GetForegroundWindow(), nullptr);
    platform::LocalDate date = platform::GetLocalTime();
    EXPECT_EQ(date.year, 2026);
    EXPECT_EQ(date.month, 12);
    EXPECT_EQ(date.day, 7);
    EXPECT_EQ(platform::GetModuleFileNameW(), "C:\\Vantor\\Vantor.exe");
    EXPECT_TRUE(platform::PathExists("C:\\Vantor"));
    EXPECT_EQ(platform::LoadRcData(10).substr(0, 15), "[date_picker]\r\n");
    EXPECT_EQ(platform::LoadRcData(11), "");
}

TEST(Clock, SetLocalDateIsWhatGetLocalTimeAnswers) {
    sim::Reset();
    sim::SetLocalDate({2024, 2, 29});
    platform::LocalDate date = platform::GetLocalTime();
    EXPECT_EQ(date.year, 2024);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.day, 29);
    EXPECT_EQ(sim::Now(), 0u);
}

}  // namespace
