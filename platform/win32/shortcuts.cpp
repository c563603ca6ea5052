#include <windows.h>

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>

#include "platform/codepage.h"
#include "platform/shortcuts.h"

namespace platform {

namespace {

std::wstring Wide(const std::string& utf8) {
    std::u16string text = MultiByteToWideChar(kCodePageUtf8, 0, utf8);
    return std::wstring(text.begin(), text.end());
}

std::string Utf8(const wchar_t* wide) {
    return WideCharToMultiByte(kCodePageUtf8, std::u16string(wide, wide + wcslen(wide)));
}

// The shell's link object with its file interface, on a thread whose COM
// this opens and closes again; both pointers are null when any step fails.
struct ShellLink {
    bool comOpened = false;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
};

ShellLink OpenShellLink() {
    ShellLink shell;
    // S_FALSE (already open on this thread) must be closed too; a thread in
    // the other apartment model still serves the in-process object.
    shell.comOpened = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell.link))))
        shell.link = nullptr;
    else if (FAILED(shell.link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&shell.file))))
        shell.file = nullptr;
    return shell;
}

void CloseShellLink(ShellLink& shell) {
    if (shell.file) shell.file->Release();
    if (shell.link) shell.link->Release();
    if (shell.comOpened) CoUninitialize();
}

}  // namespace

std::string StartupFolder() {
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    std::string folder = Utf8(path);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

bool ReadShortcutTarget(const std::string& link, std::string& target) {
    ShellLink shell = OpenShellLink();
    wchar_t path[MAX_PATH] = L"";
    // The raw path: the one written, not one the shell resolved or expanded.
    const bool done = shell.file && SUCCEEDED(shell.file->Load(Wide(link).c_str(), STGM_READ)) &&
                      shell.link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK && path[0] != L'\0';
    CloseShellLink(shell);
    if (done) target = Utf8(path);
    return done;
}

bool WriteShortcut(const std::string& link, const std::string& target) {
    ShellLink shell = OpenShellLink();
    const std::wstring wideTarget = Wide(target);
    const size_t slash = wideTarget.rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : wideTarget.substr(0, slash);
    const bool done = shell.file && !target.empty() && SUCCEEDED(shell.link->SetPath(wideTarget.c_str())) &&
                      SUCCEEDED(shell.link->SetWorkingDirectory(folder.c_str())) &&
                      SUCCEEDED(shell.file->Save(Wide(link).c_str(), TRUE));
    CloseShellLink(shell);
    return done;
}

}  // namespace platform
