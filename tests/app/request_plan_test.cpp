// Which feature a request starts, from the request's code (a hotkey's slot
// or a menu command) and the title of the window in front.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/hotkey_dispatcher.h"

namespace {

using Action = RequestAction;
using Entry = int (*)(platform::WindowHandle, platform::IconHandle);

TEST(IsOneNoteTitle, LooksForTheExactWordAnywhere) {
    struct Case {
        std::string title;
        bool oneNote;
    } cases[] = {
        {"OneNote", true},
        {"Meeting notes - OneNote", true},
        {"OneNote for Windows 10", true},
        {"Re: the OneNote export - Outlook", true},
        {"xOneNotex", true},
        {"onenote", false},
        {"ONENOTE", false},
        {"One Note", false},
        {"OneNot", false},
        {"", false},
        {"Untitled - Notepad", false},
        {std::string("a\0OneNote", 9), true},  // past an embedded NUL
    };
    for (const Case& c : cases) EXPECT_EQ(IsOneNoteTitle(c.title), c.oneNote) << c.title;
}

// What follows each feature (its paste, the window brought back) is shown
// by the dispatch tests, in the keys sent and the window in front.
struct PlanCase {
    int code;
    const char* title;
    Action action;
    Entry feature;  // the entry of the feature planned; null for none
    bool useTarget;
};

class PlanRequestTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanRequestTest, Plans) {
    const PlanCase& c = GetParam();
    RequestPlan plan = PlanRequest(c.code, c.title);
    EXPECT_EQ(plan.action, c.action);
    EXPECT_EQ(plan.feature ? plan.feature->entry : nullptr, c.feature);
    EXPECT_EQ(plan.useTarget, c.useTarget);
}

const char kOneNote[] = "Notes - OneNote";
const char kOther[] = "Untitled - Notepad";
const Entry kAccents = &AccentedCapitalsDialog, kDates = &DatePickerDialog, kBook = &ContactBookDialog,
            kHighlight = &HighlightLineDialog;

INSTANTIATE_TEST_SUITE_P(
    Codes, PlanRequestTest,
    ::testing::Values(
        PlanCase{1, kOneNote, Action::RunFeature, kAccents, true},
        PlanCase{1, kOther, Action::RunFeature, kAccents, true},
        PlanCase{1, "", Action::RunFeature, kAccents, true},
        PlanCase{2, kOneNote, Action::RunFeature, kDates, true},
        PlanCase{2, kOther, Action::GiveBackKeys, kDates, true},
        PlanCase{2, "onenote", Action::GiveBackKeys, kDates, true},
        PlanCase{3, kOneNote, Action::RunFeature, kBook, true},
        PlanCase{3, kOther, Action::TypeAtSign, kBook, true},
        PlanCase{3, "", Action::TypeAtSign, kBook, true},
        PlanCase{4, kOneNote, Action::RunFeature, kHighlight, true},
        PlanCase{4, kOther, Action::GiveBackKeys, kHighlight, true},
        PlanCase{kAccentsCommand, kOneNote, Action::RunFeature, kAccents, false},
        PlanCase{kAccentsCommand, kOther, Action::RunFeature, kAccents, false},
        PlanCase{kDatePickerCommand, kOneNote, Action::RunFeature, kDates, false},
        PlanCase{kDatePickerCommand, kOther, Action::RunFeature, kDates, false},
        PlanCase{kContactBookCommand, kOneNote, Action::RunFeature, kBook, false},
        PlanCase{kContactBookCommand, kOther, Action::RunFeature, kBook, false},
        PlanCase{kHighlightCommand, kOneNote, Action::RunFeature, kHighlight, false},
        PlanCase{kHighlightCommand, kOther, Action::RunFeature, kHighlight, false}));

TEST(PlanRequest, OtherCodesDoNothing) {
    for (int code : {0, 5, 6, 7, 8, 9, 10, 11, 14, 15, 16, 21, 100, 1525, 1526, 1527, 1528, 1533, -1, -11, 0x7FFFFFFF})
        for (const char* title : {kOneNote, kOther, ""})
            EXPECT_EQ(PlanRequest(code, title).action, Action::Nothing) << code << " " << title;
}

}  // namespace
