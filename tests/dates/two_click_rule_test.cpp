#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/dates/date_format.h"
#include "features/dates/two_click_rule.h"

namespace {

// A stand-in for the calendar dialog: what it shows, what is selected, and
// the texts it keeps, driven the way the month calendar drives the dialog.
struct Picker {
    std::string format;
    int shownYear = 2026, shownMonth = 12;
    std::string selected, view, previousView;
};

std::string ViewText(const Picker& p) { return FormatDate(p.shownYear, p.shownMonth, 1, p.format); }

void OpenDialog(Picker& p) {  // today is 2026-12-07
    p.shownYear = 2026;
    p.shownMonth = 12;
    p.selected = FormatDate(2026, 12, 7, p.format);
    p.view = ViewText(p);
    p.previousView = p.view;
}

ClickEnd EndClick(Picker& p) {
    p.view = ViewText(p);
    return DecideClickEnd(p.selected, p.view, p.previousView, gLastClickedText);
}

enum class Act { Open, Click, Key, NextMonth, PreviousMonth };

struct Step {
    Act act;
    int day;        // Click, Key: the day of the month shown
    int expected;   // -1: no click ends; else the ClickEnd expected
};

constexpr int kNone = -1;
constexpr int kView = static_cast<int>(ClickEnd::ViewChanged);
constexpr int kFirst = static_cast<int>(ClickEnd::FirstClick);
constexpr int kInsert = static_cast<int>(ClickEnd::Insert);

struct Scenario {
    const char* name;
    const char* format;
    std::vector<Step> steps;
};

const Scenario kScenarios[] = {
    {"two clicks on one date insert it", "<b>w.dd/mm/yyyy (wn)</b>",
     {{Act::Open, 0, kNone}, {Act::Click, 10, kFirst}, {Act::Click, 10, kInsert}}},
    {"two clicks on today insert it", "<b>w.dd/mm/yyyy (wn)</b>",
     {{Act::Open, 0, kNone}, {Act::Click, 7, kFirst}, {Act::Click, 7, kInsert}}},
    {"clicks on two dates insert nothing, a further one inserts the second", "dd/mm/yyyy",
     {{Act::Open, 0, kNone},
      {Act::Click, 10, kFirst},
      {Act::Click, 11, kFirst},
      {Act::Click, 11, kInsert}}},
    {"a month arrow right after a date click inserts nothing", "<b>w.dd/mm (Wwn)</b>",
     {{Act::Open, 0, kNone},
      {Act::Click, 10, kFirst},
      {Act::NextMonth, 0, kView},
      {Act::PreviousMonth, 0, kView},
      {Act::NextMonth, 0, kView}}},
    {"a date clicked before and after an arrow is the same date", "dd/mm/yyyy",
     {{Act::Open, 0, kNone},
      {Act::Click, 10, kFirst},
      {Act::NextMonth, 0, kView},
      {Act::PreviousMonth, 0, kView},
      {Act::Click, 10, kInsert}}},
    {"keyboard selection never inserts", "dd/mm/yyyy",
     {{Act::Open, 0, kNone},
      {Act::Click, 10, kFirst},
      {Act::Key, 11, kNone},
      {Act::Key, 12, kNone},
      {Act::Click, 12, kFirst},
      {Act::Click, 12, kInsert}}},
    {"keyboard back to the clicked date, then a click inserts", "dd/mm/yyyy",
     {{Act::Open, 0, kNone},
      {Act::Click, 10, kFirst},
      {Act::Key, 11, kNone},
      {Act::Key, 10, kNone},
      {Act::Click, 10, kInsert}}},
    {"a year-only format makes the whole year one date", "yyyy",
     {{Act::Open, 0, kNone}, {Act::Click, 3, kFirst}, {Act::Click, 25, kInsert}}},
    {"the last click carries over to the next dialog", "dd/mm/yyyy",
     {{Act::Open, 0, kNone},
      {Act::Click, 10, kFirst},
      {Act::Open, 0, kNone},  // the first dialog was cancelled
      {Act::Click, 10, kInsert},
      {Act::Open, 0, kNone},
      {Act::Click, 10, kInsert},
      {Act::Open, 0, kNone},
      {Act::Click, 15, kFirst},
      {Act::Click, 15, kInsert}}},
};

TEST(TwoClickRule, Scenarios) {
    gShortWeekdayNames.assign(7, "");
    gLongWeekdayNames.assign(7, "");
    gShortMonthNames.assign(12, "");
    gLongMonthNames.assign(12, "");
    for (const Scenario& s : kScenarios) {
        gLastClickedText.clear();  // as at the program's start
        Picker p;
        p.format = s.format;
        for (size_t i = 0; i < s.steps.size(); ++i) {
            const Step& step = s.steps[i];
            int outcome = kNone;
            switch (step.act) {
                case Act::Open: OpenDialog(p); break;
                case Act::Key: p.selected = FormatDate(p.shownYear, p.shownMonth, step.day, p.format); break;
                case Act::Click:
                    p.selected = FormatDate(p.shownYear, p.shownMonth, step.day, p.format);
                    outcome = static_cast<int>(EndClick(p));
                    break;
                case Act::NextMonth:
                case Act::PreviousMonth: {
                    int months = p.shownYear * 12 + p.shownMonth - 1 + (step.act == Act::NextMonth ? 1 : -1);
                    p.shownYear = months / 12;
                    p.shownMonth = months % 12 + 1;
                    outcome = static_cast<int>(EndClick(p));
                    break;
                }
            }
            EXPECT_EQ(outcome, step.expected) << s.name << ", step " << i + 1;
        }
    }
}

struct RuleCase {
    const char* selected;
    const char* view;
    const char* previousView;
    const char* lastClicked;
    ClickEnd expected;
    const char* previousViewAfter;
    const char* lastClickedAfter;
};

TEST(TwoClickRule, ComparesTextsAndUpdatesOnlyWhatTheOutcomeNeeds) {
    const RuleCase cases[] = {
        {"a", "v2", "v1", "a", ClickEnd::ViewChanged, "v2", "a"},
        {"b", "v2", "v1", "a", ClickEnd::ViewChanged, "v2", "a"},
        {"b", "v", "v", "a", ClickEnd::FirstClick, "v", "b"},
        {"a", "v", "v", "a", ClickEnd::Insert, "v", "a"},
        {"", "", "", "", ClickEnd::Insert, "", ""},
        {"A", "v", "v", "a", ClickEnd::FirstClick, "v", "A"},  // byte for byte, case counts
    };
    for (const RuleCase& c : cases) {
        std::string previousView = c.previousView, lastClicked = c.lastClicked;
        EXPECT_EQ(DecideClickEnd(c.selected, c.view, previousView, lastClicked), c.expected)
            << c.selected << " " << c.view;
        EXPECT_EQ(previousView, c.previousViewAfter);
        EXPECT_EQ(lastClicked, c.lastClickedAfter);
    }
}

}  // namespace
