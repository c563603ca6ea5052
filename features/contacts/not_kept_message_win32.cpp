#include "features/contacts/not_kept_message_win32.h"

#include "app/configuration_file.h"
#include "app/dialog_kit_win32.h"

namespace {

std::wstring Quoted(const std::string& text) { return L"\u201C" + WideOf(text) + L"\u201D"; }

std::wstring Reason(const StoreResult& result) {
    switch (result.outcome) {
        case StoreOutcome::KeyTaken:
            return L"the file already holds the entry " + Quoted(result.holder) +
                   L", which Windows takes for the same name; writing would have replaced it.";
        case StoreOutcome::MarkNotHonoured:
            return L"the file is saved as UTF-8 with a mark or as big-endian Unicode, which Windows does not "
                   L"read as such, and it could not be saved as Unicode. Vantor reads it but never writes it.";
        default: return L"it could not be written to the file.";
    }
}

std::wstring Advice(const StoreResult& result) {
    if (result.outcome == StoreOutcome::KeyTaken)
        return L"Rename one of the two entries in the file, then add the entry again.";
    if (result.outcome == StoreOutcome::MarkNotHonoured)
        return L"Save the file as \u201CUnicode\u201D (UTF-16 LE) or make it writable, then add the entry again.";
    return L"Check that the file and its folder can be written to, then add the entry again.";
}

}  // namespace

void ReportNotKept(HWND owner, const std::string& entry, const StoreResult& result) {
    std::wstring text = Quoted(entry) + L" was not kept: " + Reason(result) + L"\r\n\r\n" +
                        WideOf(ConfigurationPath()) + L"\r\n\r\nThe link is pasted all the same. " + Advice(result);
    MessageBoxW(owner, text.c_str(), L"Not kept", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}
