// Which feature a request starts and what follows it, from the request code
// and the title of the window in front.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/hotkey_dispatcher.h"

namespace {

using Action = RequestAction;
using Restore = RestoreForeground;

const std::string kPaste = "{CTRL_D}v{CTRL_U}";
const std::string kHighlightPaste = "{CTRL_D}v{CTRL_U}{END}{ESCAPE}";

TEST(IsOneNoteTitle, LooksForTheExactWordAnywhere) {
    struct Case {
        const char* title;
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
    };
    for (const Case& c : cases) EXPECT_EQ(IsOneNoteTitle(c.title), c.oneNote) << c.title;
}

TEST(IsOneNoteTitle, SearchesPastAnEmbeddedNul) {
    EXPECT_TRUE(IsOneNoteTitle(std::string("a\0OneNote", 9)));
}

struct PlanCase {
    int code;
    const char* title;
    Action action;
    bool useTarget;
    std::string pasteMacro;
    Restore restore;
};

class PlanRequestTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanRequestTest, Plans) {
    const PlanCase& c = GetParam();
    RequestPlan plan = PlanRequest(c.code, c.title);
    EXPECT_EQ(plan.action, c.action);
    EXPECT_EQ(plan.useTarget, c.useTarget);
    EXPECT_EQ(plan.pasteMacro, c.pasteMacro);
    EXPECT_EQ(plan.restoreForeground, c.restore);
}

const char kOneNote[] = "Notes - OneNote";
const char kOther[] = "Untitled - Notepad";

INSTANTIATE_TEST_SUITE_P(
    Codes, PlanRequestTest,
    ::testing::Values(
        PlanCase{1, kOneNote, Action::AccentedCapitals, true, "", Restore::Never},
        PlanCase{1, kOther, Action::AccentedCapitals, true, "", Restore::Never},
        PlanCase{1, "", Action::AccentedCapitals, true, "", Restore::Never},
        PlanCase{2, kOneNote, Action::DatePicker, true, kPaste, Restore::Always},
        PlanCase{2, kOther, Action::GiveBackKeys, true, "", Restore::Never},
        PlanCase{2, "onenote", Action::GiveBackKeys, true, "", Restore::Never},
        PlanCase{3, kOneNote, Action::ContactBook, true, kPaste, Restore::Always},
        PlanCase{3, kOther, Action::TypeAtSign, true, "", Restore::Never},
        PlanCase{3, "", Action::TypeAtSign, true, "", Restore::Never},
        PlanCase{4, kOneNote, Action::LineHighlighter, true, kHighlightPaste, Restore::OnSuccess},
        PlanCase{4, kOther, Action::GiveBackKeys, true, "", Restore::Never},
        PlanCase{11, kOneNote, Action::AccentedCapitals, false, "", Restore::Never},
        PlanCase{11, kOther, Action::AccentedCapitals, false, "", Restore::Never},
        PlanCase{12, kOneNote, Action::DatePicker, false, kPaste, Restore::Always},
        PlanCase{12, kOther, Action::DatePicker, false, kPaste, Restore::Always},
        PlanCase{13, kOneNote, Action::ContactBook, false, kPaste, Restore::Always},
        PlanCase{13, kOther, Action::ContactBook, false, kPaste, Restore::Always},
        PlanCase{14, kOneNote, Action::LineHighlighter, false, kHighlightPaste, Restore::OnSuccess},
        PlanCase{14, kOther, Action::LineHighlighter, false, kHighlightPaste, Restore::OnSuccess}));

TEST(PlanRequest, OtherCodesDoNothing) {
    for (int code : {0, 5, 6, 7, 8, 9, 10, 15, 16, 21, 100, -1, -11, 0x7FFFFFFF})
        for (const char* title : {kOneNote, kOther, ""})
            EXPECT_EQ(PlanRequest(code, title).action, Action::Nothing) << code << " " << title;
}

}  // namespace
