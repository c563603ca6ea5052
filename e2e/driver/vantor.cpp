#include "e2e/driver/vantor.h"

#include <gtest/gtest.h>

#include "e2e/driver/desktop.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"

namespace e2e {

namespace {

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr))
        ADD_FAILURE() << "cannot write " << path;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

std::string VantorExecutable() { return ProgramFolder() + "..\\Vantor.exe"; }

namespace {

VantorRun PlaceVantor(const std::string& folder, const std::string& name) {
    VantorRun run;
    run.folder = folder;
    run.name = name;
    run.exe = run.folder + name + ".exe";
    run.ini = run.folder + name + ".ini";
    if (GetFileAttributesW(Wide(run.exe).c_str()) == INVALID_FILE_ATTRIBUTES &&
        !CopyFileW(Wide(VantorExecutable()).c_str(), Wide(run.exe).c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << VantorExecutable() << " to " << run.exe;
        run.exe.clear();
    }
    return run;
}

void Launch(VantorRun& run) {
    if (run.exe.empty()) return;
    run.process = StartProgram(Quoted(run.exe), run.folder);
    if (run.process) run.notice = WaitForWindow(run.name + " 1.1");
    // The caption exists from the notice's creation on, but its box is
    // ticked during its initialisation, which ends before it is shown:
    // setting the box any earlier would be undone.
    DWORD start = GetTickCount();
    while (run.notice && !IsWindowVisible(run.notice) && GetTickCount() - start < kWait) Pump(10);
    if (run.notice && !IsWindowVisible(run.notice)) ADD_FAILURE() << "the notice never became visible";
}

}  // namespace

VantorRun StartVantor(const std::string& name, const std::string& ini, const std::string& folder) {
    VantorRun run = PlaceVantor(folder.empty() ? FreshFolder("vantor") : folder, name);
    if (!ini.empty()) WriteFileBytes(run.ini, ini);
    Launch(run);
    return run;
}

std::string FreshFolderNamed(const std::string& name) {
    std::string folder = FreshFolder("named");
    if (folder.empty()) return "";
    folder += name;
    if (!CreateDirectoryW(Wide(folder).c_str(), nullptr)) {
        ADD_FAILURE() << "cannot create " << folder << " (error " << GetLastError() << ")";
        return "";
    }
    return folder + "\\";
}

VantorRun StartVantorIn(const std::string& folder, const std::string& name) {
    VantorRun run = PlaceVantor(folder, name);
    Launch(run);
    return run;
}

HWND FindTrayWindow(const VantorRun& run) { return FindWindowA("#32770", run.name.c_str()); }

bool SendMenuCommand(const VantorRun& run, WORD command) {
    DWORD_PTR answer = 0;
    return run.tray && SendMessageTimeoutA(run.tray, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL, kWait,
                                           &answer) != 0;
}

bool AnswerNotice(VantorRun& run, bool catchKeys) {
    if (!run.notice) return false;
    std::string base = run.exe.substr(run.folder.size(), run.exe.size() - run.folder.size() - 4);
    SendMessageA(GetDlgItem(run.notice, kNoticeCatchKeysBox), BM_SETCHECK, catchKeys ? BST_CHECKED : BST_UNCHECKED, 0);
    PostMessageA(run.notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    bool gone = false;
    for (int i = 0; i < 200 && !gone; ++i) {
        Pump(25);
        gone = !IsWindow(run.notice);
    }
    if (!gone) {
        ADD_FAILURE() << "the start-up notice did not close";
        return false;
    }
    run.notice = nullptr;
    run.tray = FindTrayWindow(run);
    if (!run.tray) ADD_FAILURE() << "no tray window \"" << base << "\"";
    // The hotkeys are registered right after the notice closes.
    Pump(200);
    return run.tray != nullptr;
}

VantorRun StartVantorReady(const std::string& name, const std::string& ini, const std::string& folder) {
    VantorRun run = StartVantor(name, ini, folder);
    AnswerNotice(run, true);
    return run;
}

void ChooseMenuCommand(const VantorRun& run, WORD command) {
    PostMessageA(run.tray, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

long ExitVantor(VantorRun& run, unsigned timeoutMs) {
    if (!run.process) return -1;
    if (run.tray) ChooseMenuCommand(run, kExitCommand);
    long code = -1;
    if (WaitForExit(run.process, timeoutMs)) {
        code = static_cast<long>(ExitCodeOf(run.process));
    } else {
        TerminateProcess(run.process, 1);
        WaitForExit(run.process, 2000);
    }
    CloseHandle(run.process);
    run.process = nullptr;
    run.tray = nullptr;
    return code;
}

namespace {

// The program's shown window nearest the front, its tray window aside.
HWND FrontWindowOf(const VantorRun& run) {
    const DWORD process = run.process ? GetProcessId(run.process) : 0;
    for (HWND window = GetTopWindow(nullptr); window && process; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && window != run.tray && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

}  // namespace

void CancelDialogsAndExit(VantorRun& run) {
    while (HWND window = FrontWindowOf(run)) {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        if (!Eventually([&] { return !IsWindow(window); }, 2000)) break;
    }
    ExitVantor(run);
}

}  // namespace e2e
