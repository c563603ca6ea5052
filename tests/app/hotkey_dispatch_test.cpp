// Requests carried out against the simulated desktop, with stand-ins for the
// feature dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/hotkey_dispatcher.h"
#include "inject/clipboard_keeper.h"
#include "inject/html_clipboard.h"
#include "app/open_dialogs.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/sim/sim.h"
#include "tests/app/fake_feature_entries.h"

using platform::KeyEvent;

namespace {

// US layout scan codes: Ctrl 0x1D, V 0x2F, End 0x4F, Escape 0x01.
const std::vector<KeyEvent> kPasteEvents = {
    {0x11, 0x1D, 0}, {0x56, 0x2F, 0}, {0x56, 0x2F, 2}, {0x11, 0x1D, 2}};
const std::vector<KeyEvent> kHighlightPasteEvents = {
    {0x11, 0x1D, 0}, {0x56, 0x2F, 0}, {0x56, 0x2F, 2}, {0x11, 0x1D, 2},
    {0x23, 0x4F, 1}, {0x23, 0x4F, 3}, {0x1B, 0x01, 0}, {0x1B, 0x01, 2}};

size_t Count(const std::string& name) {
    std::vector<std::string> names = sim::CallNames();
    return static_cast<size_t>(std::count(names.begin(), names.end(), name));
}

// When the first call of that name was made, or -1.
long FirstAt(const std::string& name) {
    for (const sim::Call& call : sim::Calls())
        if (call.name == name) return call.at;
    return -1;
}

// Asking logs a call of its own: count calls before this.
platform::WindowHandle Front() { return platform::GetForegroundWindow(); }

size_t IndexOf(const std::string& name) {
    std::vector<std::string> names = sim::CallNames();
    return static_cast<size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        ResetFakeFeatures();
        std::fill(std::begin(gHotkeyAtoms), std::end(gHotkeyAtoms), uint16_t{0});
        gHotkeysEnabled = 0;
        oneNote = sim::AddWindow("Week 49 - OneNote");
        notepad = sim::AddWindow("Untitled - Notepad");
        dialog = sim::AddWindow("Dialog");
    }

    // The feature's dialog takes the foreground while it is open, as a
    // real modal dialog does.
    void DialogTakesForeground(FakeFeature& feature) {
        feature.whileOpen = [this] { sim::SetForeground(dialog); };
    }

    platform::WindowHandle oneNote = nullptr;
    platform::WindowHandle notepad = nullptr;
    platform::WindowHandle dialog = nullptr;
};

// The "@" chord outside OneNote is typed as what it types in that window's
// layout, a character of its own, after the AltGr (left Ctrl and right Alt)
// that made it is let go of or, past half a second, released by the
// program; the clipboard is never touched.
// Waits end on ticks of 15.625 ms: 150 ms on the 10th, held keys 32 later.
struct AtSignCase {
    const char* name;
    unsigned altGrHeldMs;  // 0: already let go
    bool clipboardHeld;
    std::vector<KeyEvent> before;  // what precedes the "@" in the one batch
    unsigned typedAt;
    sim::Layout layout = sim::Layout::French;
    char16_t typed = u'@';  // 0: the chord types nothing there
};

class AtSignTest : public DispatchTest, public ::testing::WithParamInterface<AtSignCase> {};

TEST_P(AtSignTest, TypedWithoutTheClipboard) {
    const AtSignCase& c = GetParam();
    sim::SetClipboardData(platform::kClipboardText, std::string("earlier\0", 8));
    auto clipboard = sim::ClipboardContent();
    sim::HoldClipboardElsewhere(c.clipboardHeld);
    if (c.altGrHeldMs) {
        sim::HoldKey(0xA2, c.altGrHeldMs);
        sim::HoldKey(0xA5, c.altGrHeldMs);
    }
    sim::SetForeground(notepad);
    sim::SetKeyboardLayout(c.layout);
    DispatchRequest(3);

    std::vector<KeyEvent> expected = c.before;
    expected.push_back({0, c.typed, 4});
    expected.push_back({0, c.typed, 6});
    ASSERT_EQ(sim::SentInputs().size(), c.typed ? 1u : 0u);
    if (c.typed) EXPECT_EQ(sim::SentInputs()[0], expected);
    EXPECT_EQ(sim::Now(), c.typedAt) << "from the hotkey's 150 ms wait";
    EXPECT_EQ(sim::ClipboardContent(), clipboard);
    EXPECT_EQ(Count("OpenClipboard"), 0u);
    EXPECT_EQ(Count("SetForegroundWindow"), 0u);
    EXPECT_EQ(Front(), notepad);
    EXPECT_TRUE(gFakeContactBook.owners.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AtSignTest,
    ::testing::Values(AtSignCase{"Released", 0, false, {}, 156}, AtSignCase{"ClipboardHeld", 0, true, {}, 156},
                      AtSignCase{"AltGrLetGoDuringTheWait", 120, false, {}, 156},
                      AtSignCase{"AltGrLetGoSoonAfter", 220, false, {}, 234},
                      // A key no keyboard has comes first, so that the lone Alt's
                      // release opens no menu.
                      AtSignCase{"AltGrStillHeld", sim::kForever, false,
                                 {{0xE8, 0, 0}, {0xE8, 0, 2}, {0xA2, 0x1D, 2}, {0xA5, 0x38, 3}}, 156 + 500},
                      AtSignCase{"GermanBrace", 0, false, {}, 156, sim::Layout::German, u'}'},
                      AtSignCase{"UnitedStatesNothing", 0, false, {}, 156, sim::Layout::UnitedStates, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DispatchTest, AtSignHotkeyWaitsAboutAQuarterSecondInAll) {
    CreateHotkeyAtoms();
    sim::SetKeyboardLayout(sim::Layout::French);
    sim::SetForeground(notepad);
    OnHotkey(gHotkeyAtoms[2]);
    // On the timer's ticks: 100 ms end at 109.375, 150 more at 265.625.
    EXPECT_EQ(sim::Now(), 265u);
    EXPECT_EQ(FirstAt("GetForegroundWindow"), 109);
    EXPECT_EQ(sim::SentInputs().size(), 1u);
}

struct PastingFeatureCase {
    const char* name;
    int code;
    FakeFeature* feature;
    int result;
    bool restored;  // the target is brought back in front
    std::vector<KeyEvent> pasted;
    unsigned clipboardHeldMs = 0;  // by a clipboard history after the result
    unsigned expectedNow = 0;      // the paste keys wait for it to let go, on the timer's ticks
};

class PastingFeatureTest : public DispatchTest, public ::testing::WithParamInterface<PastingFeatureCase> {};

TEST_P(PastingFeatureTest, RestoresAndPastesAsPlanned) {
    const PastingFeatureCase& c = GetParam();
    c.feature->result = c.result;
    DialogTakesForeground(*c.feature);
    sim::SetForeground(oneNote);
    sim::HoldClipboardElsewhereFor(c.clipboardHeldMs);
    DispatchRequest(c.code);

    EXPECT_EQ(c.feature->owners, std::vector<platform::WindowHandle>{oneNote});
    EXPECT_EQ(Front(), c.restored ? oneNote : dialog);
    EXPECT_EQ(Count("SetForegroundWindow"), c.restored ? 1u : 0u);
    if (c.pasted.empty()) {
        EXPECT_TRUE(sim::SentInputs().empty());
    } else {
        ASSERT_EQ(sim::SentInputs().size(), 1u);
        EXPECT_EQ(sim::SentInputs()[0], c.pasted);
        EXPECT_LT(IndexOf("SetForegroundWindow"), IndexOf("SendInput"));
        EXPECT_FALSE(sim::ClipboardIsOpen());
    }
    EXPECT_EQ(sim::Now(), c.expectedNow);
}

INSTANTIATE_TEST_SUITE_P(
    Features, PastingFeatureTest,
    ::testing::Values(
        PastingFeatureCase{"DatePickerDone", 2, &gFakeDatePicker, -1, true, kPasteEvents, 0, 62},
        PastingFeatureCase{"DatePickerCancelled", 2, &gFakeDatePicker, 0, true, {}},
        PastingFeatureCase{"ContactBookDone", 3, &gFakeContactBook, -1, true, kPasteEvents, 0, 62},
        PastingFeatureCase{"ContactBookCancelled", 3, &gFakeContactBook, 0, true, {}},
        PastingFeatureCase{"ContactBookAnyNonzero", 3, &gFakeContactBook, 1, true, kPasteEvents, 0, 62},
        PastingFeatureCase{"HighlighterDone", 4, &gFakeHighlightLine, -1, true, kHighlightPasteEvents, 0, 62},
        PastingFeatureCase{"HighlighterCancelled", 4, &gFakeHighlightLine, 0, false, {}},
        PastingFeatureCase{"ClipboardHeldAWhile", 2, &gFakeDatePicker, -1, true, kPasteEvents, 300, 312},
        PastingFeatureCase{"ClipboardHeldPastTheWait", 4, &gFakeHighlightLine, -1, true, kHighlightPasteEvents, 2000,
                           562}),
    [](const ::testing::TestParamInfo<PastingFeatureCase>& info) { return info.param.name; });

TEST_F(DispatchTest, AccentedCapitalsOpensAnywhereAndPastesNothing) {
    for (platform::WindowHandle front : {oneNote, notepad}) {
        ResetFakeFeatures();
        gFakeAccentedCapitals.result = -1;
        sim::SetForeground(front);
        sim::ClearCalls();
        DispatchRequest(1);
        EXPECT_EQ(gFakeAccentedCapitals.owners, std::vector<platform::WindowHandle>{front});
        EXPECT_EQ(Count("SetForegroundWindow"), 0u);
        EXPECT_TRUE(sim::SentInputs().empty());
    }
}

// Ctrl+D and Ctrl+H with nothing in front, and codes that name no request:
// the window in front is asked for its title, and nothing else happens. The
// "@" with nothing in front is typed.
TEST_F(DispatchTest, RequestsThatOpenNothing) {
    gFakeAccentedCapitals.result = gFakeDatePicker.result = -1;
    gFakeContactBook.result = gFakeHighlightLine.result = -1;
    sim::SetKeyboardLayout(sim::Layout::French);
    for (platform::WindowHandle front : {notepad, static_cast<platform::WindowHandle>(nullptr), oneNote}) {
        for (int code : {2, 4, 0, 5, 10, 15, -1}) {
            if (front != nullptr && (code == 2 || code == 4)) continue;
            sim::SetForeground(front);
            sim::ClearCalls();
            DispatchRequest(code);
            EXPECT_EQ(sim::CallNames(), (std::vector<std::string>{"GetForegroundWindow", "GetWindowTextA"}))
                << code;
        }
    }
    for (FakeFeature* feature : {&gFakeAccentedCapitals, &gFakeDatePicker, &gFakeContactBook,
                                 &gFakeHighlightLine})
        EXPECT_TRUE(feature->owners.empty());
    EXPECT_TRUE(sim::SentInputs().empty());
    EXPECT_TRUE(sim::ClipboardContent().empty());
    sim::SetForeground(nullptr);
    DispatchRequest(3);
    EXPECT_TRUE(gFakeContactBook.owners.empty());
    EXPECT_EQ(sim::SentInputs().size(), 1u);  // the "@"
}

// Ctrl+D and Ctrl+H outside OneNote go back as the keys, sent while the
// shortcut is let go (else they would come back as the hotkey), which is
// taken again once the system has had them; nothing opens.
TEST_F(DispatchTest, ShortcutsOutsideOneNoteAreGivenBackAsKeys) {
    CreateHotkeyAtoms();
    EnableHotkeys(sim::AddWindow("Vantor"));
    sim::SetForeground(notepad);
    for (auto [slot, key, scan] : {std::tuple<int, uint16_t, uint16_t>{1, 0x44, 0x20}, {3, 0x48, 0x23}}) {
        sim::ClearCalls();
        OnHotkey(gHotkeyAtoms[slot]);
        EXPECT_EQ(sim::SentInputs().back(), (std::vector<KeyEvent>{{0x11, 0x1D, 0}, {key, scan, 0}, {key, scan, 2}, {0x11, 0x1D, 2}}));
        EXPECT_LT(IndexOf("UnregisterHotKey"), IndexOf("SendInput"));
        EXPECT_EQ(sim::Calls()[IndexOf("RegisterHotKey")].at - sim::Calls()[IndexOf("SendInput")].at, 62u) << "50 ms, ending on the 4th tick";
        EXPECT_EQ(sim::RegisteredHotkeys().size(), 4u);
    }
    EXPECT_TRUE(gFakeDatePicker.owners.empty() && gFakeHighlightLine.owners.empty());
}

struct MenuCase {
    int code;
    FakeFeature* feature;
    bool pastes;
};

TEST_F(DispatchTest, MenuCodesHaveNoOwnerAndRestoreNothing) {
    const MenuCase cases[] = {{kAccentsCommand, &gFakeAccentedCapitals, false},
                              {kDatePickerCommand, &gFakeDatePicker, true},
                              {kContactBookCommand, &gFakeContactBook, true},
                              {kHighlightCommand, &gFakeHighlightLine, true}};
    for (const MenuCase& c : cases) {
        sim::Reset();
        ResetFakeFeatures();
        platform::WindowHandle front = sim::AddWindow("Untitled - Notepad");
        platform::WindowHandle other = sim::AddWindow("Dialog");
        sim::SetForeground(front);
        c.feature->result = -1;
        c.feature->whileOpen = [other] { sim::SetForeground(other); };
        DispatchRequest(c.code);
        EXPECT_EQ(c.feature->owners, std::vector<platform::WindowHandle>{nullptr}) << c.code;
        EXPECT_EQ(Count("SetForegroundWindow"), 0u) << c.code;
        EXPECT_EQ(Count("GetForegroundWindow"), 1u) << c.code;
        EXPECT_EQ(Front(), other) << c.code;
        EXPECT_EQ(sim::SentInputs().size(), c.pastes ? 1u : 0u) << c.code;
    }
}

TEST_F(DispatchTest, HotkeyIdentifiersChooseTheirSlots) {
    CreateHotkeyAtoms();
    gFakeDatePicker.result = -1;
    sim::SetForeground(oneNote);
    OnHotkey(gHotkeyAtoms[0]);
    OnHotkey(gHotkeyAtoms[1]);
    OnHotkey(gHotkeyAtoms[3]);
    EXPECT_EQ(gFakeAccentedCapitals.owners.size(), 1u);
    EXPECT_EQ(gFakeDatePicker.owners.size(), 1u);
    EXPECT_EQ(gFakeHighlightLine.owners.size(), 1u);
    EXPECT_TRUE(gFakeContactBook.owners.empty());
    EXPECT_EQ(sim::Now(), 390u) << "three waits of 100 ms and one of 50, 25 ticks of 15.625 ms";
}

TEST_F(DispatchTest, UnknownHotkeyIdentifierOnlyWaits) {
    CreateHotkeyAtoms();
    sim::SetForeground(oneNote);
    sim::ClearCalls();
    for (uintptr_t identifier : {uintptr_t{0}, uintptr_t{1}, uintptr_t{0xBFFF}, uintptr_t{0xFFFF},
                                 uintptr_t{gHotkeyAtoms[0]} + 0x10000})
        OnHotkey(identifier);
    EXPECT_EQ(sim::CallNames(), std::vector<std::string>(5, "Sleep"));
    EXPECT_EQ(sim::Now(), 546u) << "five waits of 100 ms, 7 ticks of 15.625 ms each";
}

// A request started while a feature dialog is open is dispatched at once,
// with the window then in front as its target; but a feature already open
// is brought forward, not opened a second time inside itself (a held
// hotkey that repeats, or one pressed again from another window).
TEST_F(DispatchTest, RequestNestedInAnOpenDialog) {
    CreateHotkeyAtoms();
    platform::WindowHandle noteDialog = sim::AddWindow("Contacts - OneNote");
    platform::WindowHandle pickerDialog = sim::AddWindow("Date Picker");
    platform::WindowHandle bookDialog = sim::AddWindow("Contact Book");
    platform::WindowHandle companyDialog = sim::AddWindow("New company");
    gFakeDatePicker.result = -1;
    gFakeContactBook.result = -1;
    gFakeDatePicker.whileOpen = [&] {
        NoteDialogOpened(pickerDialog);
        sim::SetForeground(noteDialog);
        OnHotkey(gHotkeyAtoms[1]);  // the date picker again: brought forward
        EXPECT_EQ(Front(), pickerDialog);
        sim::SetForeground(noteDialog);
        OnHotkey(gHotkeyAtoms[2]);  // another feature opens over it
    };
    // Of a feature with a dialog open over its first, the one in front
    // comes forward: the first waits, disabled, behind it.
    gFakeContactBook.whileOpen = [&] {
        NoteDialogOpened(bookDialog);
        NoteDialogOpened(companyDialog);
        sim::SetForeground(noteDialog);
        OnHotkey(gHotkeyAtoms[2]);
        EXPECT_EQ(Front(), companyDialog);
    };
    sim::SetForeground(oneNote);
    OnHotkey(gHotkeyAtoms[1]);
    EXPECT_EQ(gFakeDatePicker.owners, std::vector<platform::WindowHandle>{oneNote});
    EXPECT_EQ(gFakeContactBook.owners, std::vector<platform::WindowHandle>{noteDialog});
    EXPECT_EQ(sim::SentInputs().size(), 2u);
    EXPECT_EQ(Front(), oneNote);
    OnHotkey(gHotkeyAtoms[1]);  // closed since: it opens again
    EXPECT_EQ(gFakeDatePicker.owners.size(), 2u);
    EXPECT_EQ(OpenDialogCount(), 0u);
}

TEST_F(DispatchTest, TargetClosedWhileTheDialogWasOpenStillPastes) {
    gFakeContactBook.result = -1;
    gFakeContactBook.whileOpen = [this] { sim::CloseWindow(oneNote); };
    sim::SetForeground(oneNote);
    DispatchRequest(3);
    EXPECT_EQ(Count("SetForegroundWindow"), 1u);
    EXPECT_EQ(sim::SentInputs().size(), 1u);
}

// The user's clipboard, copied by a browser before the request: Unicode
// text, a web page, a small image and a private format rendered on demand.
// After the paste it is back byte for byte, unless something newer came.
struct KeptCase {
    const char* name;
    std::vector<sim::PasteRead> reads;  // the note program's, after Ctrl+V
    int history;                        // 0 none, 1 honours the marks, 2 ignores them
    unsigned newerCopyAt;               // ms after the paste keys; 0: none
    unsigned secondRequestAt;           // the date picker again; 0: not
    bool restoreOff;
    unsigned renderMs;                  // the private format's, when first read
    std::string readsGot;               // R: the result, U: the user's, -: nothing
    char finally;                       // U: the user's clipboard, R: the result, N: the newer copy
};

class KeptClipboardTest : public DispatchTest, public ::testing::WithParamInterface<KeptCase> {};

std::string Visible(const std::string& block) {
    std::string text;
    for (char c : block)
        if (c) text += c;
    return text;
}

char Whose(const std::string& block) {
    if (Visible(block).find("09/12") != std::string::npos) return 'R';
    if (Visible(block).find("Paragraph") != std::string::npos) return 'U';
    if (Visible(block).find("Newer") != std::string::npos) return 'N';
    return '?';
}

TEST_P(KeptClipboardTest, TheUsersClipboardComesBackAfterTheRead) {
    const KeptCase& c = GetParam();
    gClipboardOwner = sim::AddWindow("Vantor", sim::kProgramProcess);
    sim::DeliverOwnerMessagesTo(OnClipboardOwnerMessage);
    sim::DeliverTimersTo([](uintptr_t id) { OnClipboardTimer(id); });
    if (c.restoreOff) sim::SetFile("C:\\Vantor\\Vantor.ini", "[options]\r\nrestore_clipboard = 0\r\n");
    const unsigned html = platform::RegisterClipboardFormatA("HTML Format");
    const unsigned privateFormat = platform::RegisterClipboardFormatA("Browser Private");
    const std::vector<sim::OtherFormat> user = {
        {platform::kClipboardUnicodeText, std::string("P\0a\0r\0a\0g\0r\0a\0p\0h\0\0\0", 20)},
        {html, "Version:1.0\r\n<p>Paragraph</p>"},
        {8, std::string("(\0\0\0\x02\0\0\0Paragraph\xFF\x00\x7F", 21)},
        {privateFormat, std::string("\0\x01Paragraph\xFE", 12), c.renderMs}};
    sim::CopyFromAnotherProgram(user);
    if (c.history) sim::RunClipboardHistory(c.history == 1);
    sim::ReadOnPaste(c.reads);
    gFakeDatePicker.result = -1;
    gFakeDatePicker.whileOpen = [] { PutHtmlFragment("<b>09/12</b>"); };
    sim::SetForeground(oneNote);
    DispatchRequest(2);
    if (c.newerCopyAt) {
        sim::RunMessageLoop(c.newerCopyAt);
        sim::CopyFromAnotherProgram({{html, "Newer"}});
    }
    if (c.secondRequestAt) {
        sim::RunMessageLoop(c.secondRequestAt);
        sim::ReadOnPaste({{0, html}});
        DispatchRequest(2);
    }
    sim::RunMessageLoop(kPutBackUnreadMs + 1000);

    std::string got;
    for (const sim::PasteReadResult& read : sim::PasteReads()) got += read.found ? Whose(read.bytes) : '-';
    EXPECT_EQ(got, c.readsGot);
    std::string block;
    ASSERT_TRUE(sim::PeekClipboard(html, block));
    EXPECT_EQ(Whose(block), c.finally);
    if (c.finally == 'U') {
        for (const sim::OtherFormat& format : user) {
            EXPECT_TRUE(sim::PeekClipboard(format.format, block)) << format.format;
            EXPECT_EQ(block, format.block) << format.format;
        }
    }
    // Neither the result nor the user's copy a second time.
    if (c.history == 1) EXPECT_TRUE(sim::HistoryRecords().empty());
    EXPECT_FALSE(sim::ClipboardIsOpen());
}

const unsigned kHtml = 0xC000, kUnicode = platform::kClipboardUnicodeText;
INSTANTIATE_TEST_SUITE_P(
    Paste, KeptClipboardTest,
    ::testing::Values(
        KeptCase{"ReadAtOnce", {{0, kHtml}, {50, kUnicode}}, 0, 0, 0, false, 20, "RR", 'U'},
        KeptCase{"SlowReader", {{700, kHtml}, {50, kUnicode}}, 0, 0, 0, false, 20, "RR", 'U'},
        KeptCase{"TextReadPastTheSettle", {{0, kHtml}, {400, kUnicode}}, 0, 0, 0, false, 20, "RU", 'U'},
        KeptCase{"ReadAgainWithinTheSettleOfTheLast", {{0, kHtml}, {200, kUnicode}, {200, kHtml}}, 0, 0, 0, false,
                 20, "RRR", 'U'},
        KeptCase{"NeverRead", {}, 0, 0, 0, false, 20, "", 'U'},
        KeptCase{"NewerCopyBeforeThePutBack", {{0, kHtml}}, 0, 100, 0, false, 20, "R", 'N'},
        KeptCase{"TwoRequestsWithinTheSettle", {{0, kHtml}}, 0, 0, 100, false, 20, "RR", 'U'},
        KeptCase{"HistoryHonouringTheMarks", {{0, kHtml}, {50, kUnicode}}, 1, 0, 0, false, 20, "RR", 'U'},
        KeptCase{"HistoryIgnoringTheMarks", {{300, kHtml}, {50, kUnicode}}, 2, 0, 0, false, 20, "RR", 'U'},
        KeptCase{"SourceTooSlowToSave", {{0, kHtml}}, 0, 0, 0, false, 600, "R", 'R'},
        KeptCase{"RestoreOff", {{0, kHtml}, {400, kUnicode}}, 0, 0, 0, true, 20, "RR", 'R'}),
    [](const ::testing::TestParamInfo<KeptCase>& info) { return std::string(info.param.name); });

}  // namespace
