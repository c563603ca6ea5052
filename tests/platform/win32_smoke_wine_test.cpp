// What the real system answers through the wrappers, where the answer
// depends on Windows itself: record layouts, code page 1252, the US layout,
// clipboard blocks written by others, the profile functions and files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/keyboard.h"
#include "platform/profile.h"
#include "tests/support/contract.h"

namespace {

// ---- Code page ----------------------------------------------------------

struct AnsiCase {
    std::string ansi;
    std::u16string wide;
    std::string utf8;
};

TEST(Win32CodePage, AnsiIsWindows1252BothWays) {
    const AnsiCase cases[] = {
        {"\xE9", u"\u00E9", "\xC3\xA9"},
        {"\xC9", u"\u00C9", "\xC3\x89"},
        {"\x80", u"\u20AC", "\xE2\x82\xAC"},
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const AnsiCase& c : cases) {
        std::u16string wide =
            platform::MultiByteToWideChar(platform::kCodePageAnsi, platform::kMbPrecomposed, c.ansi);
        EXPECT_EQ(wide, c.wide) << c.utf8;
        EXPECT_EQ(platform::WideCharToMultiByte(platform::kCodePageAnsi, c.wide), c.ansi);
        EXPECT_EQ(platform::WideCharToMultiByte(platform::kCodePageUtf8, c.wide), c.utf8);
        EXPECT_EQ(platform::MultiByteToWideChar(platform::kCodePageUtf8, 0, c.utf8), c.wide);
    }
}

TEST(Win32CodePage, WhatCannotBeConvertedIsReplaced) {
    EXPECT_EQ(platform::MultiByteToWideChar(platform::kCodePageUtf8, 0, "a\xFF" "b"),
              u"a\uFFFDb");
    EXPECT_EQ(platform::WideCharToMultiByte(platform::kCodePageAnsi, u"x\u4E2Dy"), "x?y");
    EXPECT_EQ(platform::MultiByteToWideChar(platform::kCodePageUtf8, 0, ""), u"");
    EXPECT_EQ(platform::WideCharToMultiByte(platform::kCodePageUtf8, u""), "");
}

TEST(Win32CodePage, CaseMappingKnowsTheAccentedLetters) {
    std::string text = "abc \xE9\xE0\xE7\xE8\xF9 {ctrl_d}";
    platform::CharUpperBuffA(text);
    EXPECT_EQ(text, "ABC \xC9\xC0\xC7\xC8\xD9 {CTRL_D}");
    platform::CharLowerBuffA(text);
    EXPECT_EQ(text, "abc \xE9\xE0\xE7\xE8\xF9 {ctrl_d}");
    std::string empty;
    platform::CharUpperBuffA(empty);
    EXPECT_EQ(empty, "");
}

// ---- Keyboard -----------------------------------------------------------

TEST(Win32Keyboard, UsLayoutAnswers) {
    platform::LayoutHandle layout = platform::GetKeyboardLayout();
    EXPECT_EQ(reinterpret_cast<uintptr_t>(layout) & 0xFFFF, 0x0409u);
    const struct {
        unsigned char character;
        int16_t answer;
    } cases[] = {{'v', 0x56}, {'c', 0x43}, {'A', 0x141}, {'@', 0x132}, {0xC9, -1}, {0xE9, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(platform::VkKeyScanExA(c.character, layout), c.answer) << int(c.character);
}

TEST(Win32Keyboard, ScanCodesOfTheKeysMacrosUse) {
    const struct {
        unsigned key, scan;
    } cases[] = {{0x11, 0x1D}, {0x10, 0x2A}, {0x12, 0x38}, {0x56, 0x2F},
                 {0x43, 0x2E}, {0x23, 0x4F}, {0x24, 0x47}, {0x1B, 0x01}};
    for (const auto& c : cases) EXPECT_EQ(platform::MapVirtualKeyA(c.key), c.scan) << c.key;
}

void PumpMessages() {
    for (int round = 0; round < 20; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

// The events reach a focused edit control of this process: the INPUT
// records are laid out as the system reads them.
TEST(Win32Keyboard, InjectedEventsTypeIntoTheFocusedWindow) {
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 80,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    platform::SetForegroundWindow(edit);
    SetFocus(edit);
    PumpMessages();
    ASSERT_EQ(platform::GetForegroundWindow(), edit);
    auto key = [](unsigned vk, uint32_t flags) {
        return platform::KeyEvent{static_cast<uint16_t>(vk),
                                  static_cast<uint16_t>(platform::MapVirtualKeyA(vk)), flags};
    };
    platform::SendInput({
        key(0x10, 0), key(0x41, 0), key(0x41, platform::kKeyEventKeyUp),
        key(0x10, platform::kKeyEventKeyUp), key(0x42, 0), key(0x42, platform::kKeyEventKeyUp),
        {0, 0xC9, platform::kKeyEventUnicode},
        key(0x24, platform::kKeyEventExtendedKey),
        key(0x24, platform::kKeyEventExtendedKey | platform::kKeyEventKeyUp), key(0x43, 0),
        key(0x43, platform::kKeyEventKeyUp),
    });
    PumpMessages();
    EXPECT_EQ(platform::GetWindowTextA(edit), "cAb\xC9");
    DestroyWindow(edit);
    EXPECT_EQ(platform::GetWindowTextA(edit), "");
}

// ---- Windows ------------------------------------------------------------

TEST(Win32Desktop, TitlesComeBackWhole) {
    const std::string titles[] = {"", "Notes - OneNote", "\xC9t\xE9 " + std::string(600, 'x')};
    for (const std::string& title : titles) {
        HWND window = CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(platform::GetWindowTextA(window), title);
        DestroyWindow(window);
    }
    EXPECT_EQ(platform::GetWindowTextA(nullptr), "");
}

// ---- Clipboard ----------------------------------------------------------

unsigned HtmlFormat() { return platform::RegisterClipboardFormatA("HTML Format"); }

std::string ReadBack(unsigned format, bool* found = nullptr) {
    std::string bytes = "untouched";
    EXPECT_TRUE(platform::OpenClipboard(nullptr));
    bool got = platform::GetClipboardBytes(format, bytes);
    platform::CloseClipboard();
    if (found) *found = got;
    return got ? bytes : std::string();
}

TEST(Win32Clipboard, RegisteredNamesShareOneId) {
    unsigned id = HtmlFormat();
    EXPECT_GE(id, 0xC000u);
    EXPECT_EQ(platform::RegisterClipboardFormatA("html format"), id);
}

TEST(Win32Clipboard, BytesComeBackUpToTheirFirstNul) {
    const std::string cases[] = {"abc", std::string("ab\0cd", 5), "\xC3\xA9<b>&</b>",
                                 std::string(100000, 'z')};
    for (const std::string& bytes : cases) {
        ASSERT_TRUE(platform::OpenClipboard(nullptr));
        ASSERT_TRUE(platform::EmptyClipboard());
        EXPECT_TRUE(platform::PutClipboardBytes(HtmlFormat(), bytes, platform::kGmemMoveable));
        EXPECT_TRUE(platform::CloseClipboard());
        EXPECT_EQ(ReadBack(HtmlFormat()), bytes.substr(0, bytes.find('\0')));
    }
}

TEST(Win32Clipboard, AnotherFormatIsNotThere) {
    ASSERT_TRUE(platform::OpenClipboard(nullptr));
    platform::EmptyClipboard();
    platform::PutClipboardBytes(platform::kClipboardText, "@",
                                platform::kGmemMoveable | platform::kGmemZeroInit);
    platform::CloseClipboard();
    bool found = true;
    EXPECT_EQ(ReadBack(HtmlFormat(), &found), "");
    EXPECT_FALSE(found);
    EXPECT_EQ(ReadBack(platform::kClipboardText), "@");
}

// A block written by another program without a terminating NUL is read to
// its end and no further.
TEST(Win32Clipboard, ABlockWithoutNulIsReadToItsEnd) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), "hello", 5);
    GlobalUnlock(block);
    ASSERT_TRUE(platform::OpenClipboard(nullptr));
    platform::EmptyClipboard();
    ASSERT_NE(SetClipboardData(HtmlFormat(), block), nullptr);
    platform::CloseClipboard();
    std::string bytes = ReadBack(HtmlFormat());
    EXPECT_EQ(bytes.substr(0, 5), "hello");
    EXPECT_LE(bytes.size(), 16u);  // at most the allocation's rounding
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
}

TEST(Win32Clipboard, NothingIsHandedOverWhenNotOpen) {
    EXPECT_FALSE(platform::PutClipboardBytes(HtmlFormat(), "x", platform::kGmemMoveable));
    std::string bytes;
    EXPECT_FALSE(platform::GetClipboardBytes(HtmlFormat(), bytes));
}

// ---- Atoms and hotkeys --------------------------------------------------

TEST(Win32Hotkeys, AtomsAndACombinationTakenOnce) {
    uint16_t atom = platform::GlobalAddAtomA("VantorSmoke_hotkey");
    ASSERT_NE(atom, 0);
    EXPECT_EQ(platform::GlobalAddAtomA("vantorsmoke_HOTKEY"), atom);
    platform::GlobalDeleteAtom(atom);
    platform::GlobalDeleteAtom(atom);

    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const unsigned mods = platform::kModControl | platform::kModAlt | platform::kModShift;
    EXPECT_TRUE(platform::RegisterHotKey(window, 0xB001, mods, VK_F11));
    EXPECT_FALSE(platform::RegisterHotKey(window, 0xB002, mods, VK_F11));
    EXPECT_TRUE(platform::UnregisterHotKey(window, 0xB001));
    EXPECT_FALSE(platform::UnregisterHotKey(window, 0xB001));
    DestroyWindow(window);
}

// ---- Files and the module -----------------------------------------------

TEST(Win32Files, WrittenBytesComeBackExactly) {
    std::string folder = FreshFolder();
    std::string path = folder + "data.bin";
    const std::string contents[] = {std::string("a\0\r\n\x1a\xFF", 6), "", std::string(200000, 'q')};
    for (const std::string& bytes : contents) {
        ASSERT_TRUE(platform::WriteNewFile(path, bytes));
        std::string back = "stale";
        ASSERT_TRUE(platform::ReadWholeFile(path, back));
        EXPECT_EQ(back, bytes);
    }
    EXPECT_TRUE(platform::PathExists(path));
    EXPECT_TRUE(platform::PathExists(folder.substr(0, folder.size() - 1)));
    EXPECT_TRUE(platform::DeleteFileW(path));
    EXPECT_FALSE(platform::PathExists(path));
    EXPECT_FALSE(platform::DeleteFileW(path));
    std::string untouched = "kept";
    EXPECT_FALSE(platform::ReadWholeFile(path, untouched));
    EXPECT_EQ(untouched, "kept");
    EXPECT_FALSE(platform::ReadWholeFile(folder, untouched));
    EXPECT_FALSE(platform::WriteNewFile(folder + "no such folder\\x.ini", "x"));
}

TEST(Win32Files, TheModuleIsThisProgram) {
    std::string path = platform::GetModuleFileNameW();
    ASSERT_GT(path.size(), 3u);
    EXPECT_EQ(path[1], ':');
    EXPECT_EQ(path.substr(path.rfind('\\') + 1), "contract_tests.exe");
    EXPECT_TRUE(platform::PathExists(path));
    EXPECT_EQ(platform::LoadRcData(4321), "");
}

// The resource comes back with its exact size: no padding, no added NUL.
TEST(Win32Files, TheDefaultConfigurationResourceIsWhole) {
    std::string bytes = platform::LoadRcData(10);
    ASSERT_GT(bytes.size(), 13u);
    EXPECT_EQ(bytes.substr(0, 15), "[date_picker]\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    size_t lines = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 68u);
}

// ---- Profile files ------------------------------------------------------

TEST(Win32Profile, WrittenEntriesReadBack) {
    std::string path = FreshFolder() + "smoke.ini";
    ASSERT_TRUE(platform::WritePrivateProfileStringW("contact_book", "Doe, John",
                                                     "mailto:john@example.com", path));
    ASSERT_TRUE(platform::WritePrivateProfileStringW("Domains", "G", "Google@example.com", path));
    const struct {
        const char* section;
        const char* key;
        unsigned size;
        const char* expected;
    } cases[] = {
        {"contact_book", "Doe, John", 260, "mailto:john@example.com"},
        {"CONTACT_BOOK", "doe, john", 260, "mailto:john@example.com"},
        {"contact_book", "Doe, John", 8, "mailto:"},
        {"contact_book", "Doe, John", 1, ""},
        {"contact_book", "Doe, Jane", 260, "fallback"},
        {"domains", "G", 260, "Google@example.com"},
        {"nowhere", "G", 260, "fallback"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::GetPrivateProfileStringW(c.section, c.key, "fallback", c.size, path),
                  c.expected)
            << c.section << "/" << c.key << " size " << c.size;
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes,
              "[contact_book]\r\nDoe, John=mailto:john@example.com\r\n"
              "[Domains]\r\nG=Google@example.com\r\n");
}

}  // namespace
