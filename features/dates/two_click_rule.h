// What the end of a mouse click on the date picker's calendar means. The
// decision compares formatted texts, never dates: two dates that format alike
// are the same date.
#pragma once

#include <string>

enum class ClickEnd {
    ViewChanged,  // the click moved the months shown
    FirstClick,   // a date was clicked for the first time
    Insert,       // the same date was clicked again: insert it
};

// The last clicked text outlives each dialog; it starts empty.
extern std::string gLastClickedText;

// `selected` is the text of the selected date and `view` the text of the
// first month shown in full, both as they stand now. Updates `previousView`
// and `lastClicked` as the click requires.
ClickEnd DecideClickEnd(const std::string& selected, const std::string& view, std::string& previousView,
                        std::string& lastClicked);
