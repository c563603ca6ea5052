#include "features/contacts/not_kept_message_win32.h"

#include "app/configuration_file.h"
#include "app/dialog_kit_win32.h"

void ReportNotKept(HWND owner, const std::string& entry) {
    std::wstring text = L"\u201C" + WideOf(entry) + L"\u201D was not kept: it could not be written to\r\n\r\n" +
                        WideOf(ConfigurationPath()) +
                        L"\r\n\r\nThe link is pasted all the same. Check that the file and its folder "
                        L"can be written to, then add the entry again.";
    MessageBoxW(owner, text.c_str(), L"Not kept", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}
