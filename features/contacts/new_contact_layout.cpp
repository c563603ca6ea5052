#include "features/contacts/new_contact_layout.h"

#include <algorithm>

namespace {
constexpr int kPageSize = 7;
}

std::string NewContactQuestion(const std::string& typedName) {
    return "What company does " + typedName + " belong to ?";
}

std::vector<std::string> NewContactButtonLabels(const std::vector<DomainEntry>& domains) {
    std::vector<std::string> labels;
    labels.reserve(domains.size() + 1);
    for (const DomainEntry& entry : domains)
        labels.push_back(entry.acronym == "default"
                             ? entry.acronym + " (" + entry.companyName + ")"
                             : entry.companyName);
    labels.push_back("< New company >");
    return labels;
}

int NewContactDialogHeight(size_t companies) { return (static_cast<int>(companies) + 3) * 25 + 15; }

int NewContactButtonTop(size_t position) { return (static_cast<int>(position) + 1) * 25; }

// The current button can be the hidden one for a moment (tabbing past the
// last button lands there before the focus is sent back to the first), so
// it is held to the visible buttons: a move never overshoots the list.
ArrowPresses ArrowPressesFor(int command, int currentButton, size_t companies) {
    int last = kFirstCompanyButton + static_cast<int>(companies);
    int current = std::clamp(currentButton, kFirstCompanyButton, last);
    int above = current - kFirstCompanyButton;
    int below = last - current;
    switch (command) {
    case kCommandHome: return {kVirtualKeyUp, above};
    case kCommandEnd: return {kVirtualKeyDown, below};
    case kCommandPageUp: return {kVirtualKeyUp, std::min(kPageSize, above)};
    case kCommandPageDown: return {kVirtualKeyDown, std::min(kPageSize, below)};
    default: return {kVirtualKeyDown, 0};
    }
}

int NewContactResult(int buttonId) {
    return buttonId == kHiddenButton ? 0 : buttonId - (kFirstCompanyButton - 1);
}
