// The New contact dialog's texts, size and keyboard moves, apart from the
// window itself.
#pragma once

#include <string>
#include <vector>

#include "features/contacts/contact_store.h"

// Button ids: 103 + i for the company at 0-based position i, 103 + n for
// "< New company >"; 2 is the hidden button that gives Escape a target.
constexpr int kFirstCompanyButton = 103;
constexpr int kHiddenButton = 2;
constexpr int kNewContactQuestion = 102;
// The part before the "@", asked for when the name gives none: a label
// and an edit field in a row of their own below the question.
constexpr int kLocalPartLabel = 100;
constexpr int kLocalPartEdit = 101;

// Commands of the four accelerators: 1024 + the virtual-key code.
constexpr int kCommandHome = 1060;
constexpr int kCommandEnd = 1059;
constexpr int kCommandPageUp = 1057;
constexpr int kCommandPageDown = 1058;

constexpr unsigned kVirtualKeyUp = 38;
constexpr unsigned kVirtualKeyDown = 40;

std::string NewContactQuestion(const std::string& typedName);

// One label per company in list order, the default company shown with its
// acronym, then "< New company >". A button takes "&" for the mark of its
// shortcut letter, so each is doubled to show as itself ("AT&T").
std::vector<std::string> NewContactButtonLabels(const std::vector<DomainEntry>& domains);

// Where the buttons go, in dialog units. One column while they fit the
// screen's height; more buttons go on in further columns to the right, so
// every company stays on screen.
struct NewContactLayout {
    int rows;  // buttons a column holds
    int columns;
    int width;  // of the dialog
    int height;
    int top;  // of the first row of buttons
};
NewContactLayout LayOutNewContact(size_t companies, int screenHeight, bool asksLocalPart = false);
struct ButtonPlace {
    int x, y;
};
// The button at 0-based position, the companies' then "< New company >".
ButtonPlace NewContactButtonPlace(size_t position, const NewContactLayout& layout);

struct ArrowPresses {
    unsigned virtualKey;  // kVirtualKeyUp or kVirtualKeyDown
    int count;
};
// The arrow presses that carry the focus from the current button for one of
// the four accelerator commands; no presses for any other command.
ArrowPresses ArrowPressesFor(int command, int currentButton, size_t companies);

// The part before the "@" as typed, trimmed of spaces, when a mail system
// takes it as it is: ASCII letters, digits and the signs RFC 5322 allows
// ("O'Neil", "li.ming"), dots only between them, at most 64 characters.
// Empty for anything else, which the dialog refuses.
std::string UsableLocalPart(const std::string& typed);

// The dialog's result for the button pressed: 0 for the hidden one, else
// the 1-based position of the button.
int NewContactResult(int buttonId);
