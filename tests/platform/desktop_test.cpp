// Windows, the foreground and what is shown to the user.
#include <gtest/gtest.h>

#include "platform/desktop.h"
#include "platform/sim/sim.h"

namespace {

TEST(Desktop, WindowsTitlesAndForeground) {
    sim::Reset();
    platform::WindowHandle note = sim::AddWindow("Notes - OneNote");
    platform::WindowHandle editor = sim::AddWindow("Untitled - Notepad");
    EXPECT_NE(note, editor);
    EXPECT_NE(note, nullptr);
    EXPECT_EQ(platform::GetForegroundWindow(), nullptr);
    sim::SetForeground(note);
    EXPECT_EQ(platform::GetForegroundWindow(), note);
    EXPECT_EQ(platform::GetWindowTextA(note), "Notes - OneNote");
    EXPECT_EQ(platform::GetWindowTextA(nullptr), "");
    EXPECT_TRUE(platform::SetForegroundWindow(editor));
    EXPECT_EQ(platform::GetForegroundWindow(), editor);
    EXPECT_FALSE(platform::SetForegroundWindow(nullptr));
    EXPECT_EQ(platform::GetForegroundWindow(), editor);
}

TEST(Desktop, ClosedWindows) {
    sim::Reset();
    platform::WindowHandle note = sim::AddWindow("OneNote");
    sim::SetForeground(note);
    sim::CloseWindow(note);
    EXPECT_EQ(platform::GetWindowTextA(note), "");
    EXPECT_FALSE(platform::SetForegroundWindow(note));
    EXPECT_EQ(platform::GetForegroundWindow(), nullptr);
    EXPECT_EQ(platform::GetWindowTextA(reinterpret_cast<platform::WindowHandle>(0x1234)), "");
}

TEST(Desktop, MessagesBeepsAndShell) {
    sim::Reset();
    EXPECT_EQ(platform::MessageBoxA(nullptr, "text", "caption", 0x40), 1);
    sim::SetMessageBoxAnswer(2);
    EXPECT_EQ(platform::MessageBoxA(nullptr, "second", "Vantor", 0), 2);
    ASSERT_EQ(sim::MessageBoxes().size(), 2u);
    EXPECT_EQ(sim::MessageBoxes()[0].text, "text");
    EXPECT_EQ(sim::MessageBoxes()[0].caption, "caption");
    EXPECT_EQ(sim::MessageBoxes()[0].style, 0x40u);
    platform::MessageBeep(0x30);
    EXPECT_EQ(sim::Beeps(), (std::vector<unsigned>{0x30}));
    platform::ShellExecuteOpen("C:\\Vantor\\Vantor.ini");
    EXPECT_EQ(sim::ShellOpened(), (std::vector<std::string>{"C:\\Vantor\\Vantor.ini"}));
}

}  // namespace
