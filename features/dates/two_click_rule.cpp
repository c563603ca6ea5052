#include "features/dates/two_click_rule.h"

std::string gLastClickedText;

ClickEnd DecideClickEnd(const std::string& selected, const std::string& view, std::string& previousView,
                        std::string& lastClicked) {
    if (view != previousView) {
        previousView = view;
        return ClickEnd::ViewChanged;
    }
    if (selected != lastClicked) {
        lastClicked = selected;
        return ClickEnd::FirstClick;
    }
    return ClickEnd::Insert;
}
