// Requests carried out against the simulated desktop, with stand-ins for the
// feature dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/hotkey_dispatcher.h"
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
struct AtSignCase {
    const char* name;
    unsigned altGrHeldMs;  // 0: already let go
    bool clipboardHeld;
    std::vector<KeyEvent> before;  // what precedes the "@" in the one batch
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
    EXPECT_EQ(sim::Now(), std::clamp(c.altGrHeldMs, 150u, 150u + 500u)) << "from the hotkey's 150 ms wait";
    EXPECT_EQ(sim::ClipboardContent(), clipboard);
    EXPECT_EQ(Count("OpenClipboard"), 0u);
    EXPECT_EQ(Count("SetForegroundWindow"), 0u);
    EXPECT_EQ(Front(), notepad);
    EXPECT_TRUE(gFakeContactBook.owners.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AtSignTest,
    ::testing::Values(AtSignCase{"Released", 0, false, {}}, AtSignCase{"ClipboardHeld", 0, true, {}},
                      AtSignCase{"AltGrLetGoDuringTheWait", 120, false, {}},
                      AtSignCase{"AltGrLetGoSoonAfter", 220, false, {}},
                      // A key no keyboard has comes first, so that the lone Alt's
                      // release opens no menu.
                      AtSignCase{"AltGrStillHeld", sim::kForever, false,
                                 {{0xE8, 0, 0}, {0xE8, 0, 2}, {0xA2, 0x1D, 2}, {0xA5, 0x38, 3}}},
                      AtSignCase{"GermanBrace", 0, false, {}, sim::Layout::German, u'}'},
                      AtSignCase{"UnitedStatesNothing", 0, false, {}, sim::Layout::UnitedStates, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DispatchTest, AtSignHotkeyWaitsAboutAQuarterSecondInAll) {
    CreateHotkeyAtoms();
    sim::SetKeyboardLayout(sim::Layout::French);
    sim::SetForeground(notepad);
    OnHotkey(gHotkeyAtoms[2]);
    EXPECT_EQ(sim::Now(), 250u);
    EXPECT_EQ(FirstAt("GetForegroundWindow"), 100);
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
    unsigned expectedNow = 0;      // the paste keys wait for it to let go
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
        PastingFeatureCase{"DatePickerDone", 2, &gFakeDatePicker, -1, true, kPasteEvents, 0, 50},
        PastingFeatureCase{"DatePickerCancelled", 2, &gFakeDatePicker, 0, true, {}},
        PastingFeatureCase{"ContactBookDone", 3, &gFakeContactBook, -1, true, kPasteEvents, 0, 50},
        PastingFeatureCase{"ContactBookCancelled", 3, &gFakeContactBook, 0, true, {}},
        PastingFeatureCase{"ContactBookAnyNonzero", 3, &gFakeContactBook, 1, true, kPasteEvents, 0, 50},
        PastingFeatureCase{"HighlighterDone", 4, &gFakeHighlightLine, -1, true, kHighlightPasteEvents, 0, 50},
        PastingFeatureCase{"HighlighterCancelled", 4, &gFakeHighlightLine, 0, false, {}},
        PastingFeatureCase{"ClipboardHeldAWhile", 2, &gFakeDatePicker, -1, true, kPasteEvents, 300, 300},
        PastingFeatureCase{"ClipboardHeldPastTheWait", 4, &gFakeHighlightLine, -1, true, kHighlightPasteEvents, 2000,
                           550}),
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
        EXPECT_EQ(sim::Calls()[IndexOf("RegisterHotKey")].at - sim::Calls()[IndexOf("SendInput")].at, 50u);
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
    const MenuCase cases[] = {{11, &gFakeAccentedCapitals, false},
                              {12, &gFakeDatePicker, true},
                              {13, &gFakeContactBook, true},
                              {14, &gFakeHighlightLine, true}};
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
    EXPECT_EQ(sim::Now(), 300u + 50u);
}

TEST_F(DispatchTest, UnknownHotkeyIdentifierOnlyWaits) {
    CreateHotkeyAtoms();
    sim::SetForeground(oneNote);
    sim::ClearCalls();
    for (uintptr_t identifier : {uintptr_t{0}, uintptr_t{1}, uintptr_t{0xBFFF}, uintptr_t{0xFFFF},
                                 uintptr_t{gHotkeyAtoms[0]} + 0x10000})
        OnHotkey(identifier);
    EXPECT_EQ(sim::CallNames(), std::vector<std::string>(5, "Sleep"));
    EXPECT_EQ(sim::Now(), 500u);
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

}  // namespace
