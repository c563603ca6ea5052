// The numbers by which the tray window is reached from outside: its menu's
// commands (WM_COMMAND) and the message its notification icon sends.
#pragma once

enum MenuCommand : unsigned short {
    kConfigureCommand = 1526,
    kEnableCommand = 1527,
    kExitCommand = 1528,
    kAccentsCommand = 1529,
    kHighlightCommand = 1530,
    kDatePickerCommand = 1531,
    kContactBookCommand = 1532,
    kStartWithWindowsCommand = 1533,
};

constexpr unsigned kIconCallback = 1525;
