#include "features/contacts/new_contact_layout.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr int kPageSize = 7;
constexpr int kRowHeight = 25;
constexpr int kButtonLeft = 40;
constexpr int kColumnPitch = 205;  // a button is 195 wide
constexpr int kOneColumnWidth = 280;
constexpr size_t kLongestLocalPart = 64;  // RFC 5321

// The caption, the question and the margins take two rows and a bit.
int HeightForRows(int rows) { return (rows + 2) * kRowHeight + 15; }

std::string DoubledAmpersands(const std::string& text) {
    std::string doubled;
    for (char c : text) {
        doubled += c;
        if (c == '&') doubled += c;
    }
    return doubled;
}

}  // namespace

std::string NewContactQuestion(const std::string& typedName) {
    return "What company does " + typedName + " belong to ?";
}

std::vector<std::string> NewContactButtonLabels(const std::vector<DomainEntry>& domains) {
    std::vector<std::string> labels;
    labels.reserve(domains.size() + 1);
    for (const DomainEntry& entry : domains)
        labels.push_back(DoubledAmpersands(entry.acronym == "default" ? entry.acronym + " (" + entry.companyName + ")"
                                                                      : entry.companyName));
    labels.push_back("< New company >");
    return labels;
}

NewContactLayout LayOutNewContact(size_t companies, int screenHeight, bool asksLocalPart) {
    const int buttons = static_cast<int>(companies) + 1, asked = asksLocalPart ? 1 : 0;
    // Whatever the screen, a column holds at least one button.
    const int fitting = std::max(1, (screenHeight - 15) / kRowHeight - 2 - asked);
    const int rows = std::min(buttons, fitting);
    const int columns = (buttons + rows - 1) / rows;
    return {rows, columns, kOneColumnWidth + (columns - 1) * kColumnPitch, HeightForRows(rows + asked),
            (1 + asked) * kRowHeight};
}

ButtonPlace NewContactButtonPlace(size_t position, const NewContactLayout& layout) {
    const int column = static_cast<int>(position) / layout.rows, row = static_cast<int>(position) % layout.rows;
    return {kButtonLeft + column * kColumnPitch, layout.top + row * kRowHeight};
}

std::string UsableLocalPart(const std::string& typed) {
    const size_t first = typed.find_first_not_of(' '), last = typed.find_last_not_of(' ');
    if (first == std::string::npos || last - first + 1 > kLongestLocalPart) return "";
    const std::string part = typed.substr(first, last - first + 1);
    constexpr std::string_view kSigns = "!#$%&'*+-/=?^_`{|}~";
    for (size_t i = 0; i < part.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(part[i]);
        const bool dotBetween = c == '.' && i > 0 && i + 1 < part.size() && part[i + 1] != '.';
        if (c >= 0x80 ||
            (!std::isalnum(c) && kSigns.find(static_cast<char>(c)) == std::string_view::npos && !dotBetween))
            return "";
    }
    return part;
}

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

int NewContactResult(int buttonId) { return buttonId == kHiddenButton ? 0 : buttonId - (kFirstCompanyButton - 1); }
