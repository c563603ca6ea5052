#include "e2e/driver/vantor.h"

#include <gtest/gtest.h>

#include <fstream>

#include "e2e/driver/desktop.h"
#include "e2e/driver/stand_in.h"

namespace e2e {

namespace {

constexpr WORD kNoticeBox = 1003;
constexpr WORD kExitCommand = 1528;

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

}  // namespace

std::string VantorExecutable() { return ProgramFolder() + "..\\Vantor.exe"; }

VantorRun StartVantor(const std::string& name, const std::string& ini) {
    VantorRun run;
    run.folder = FreshFolder("vantor");
    run.exe = run.folder + name + ".exe";
    run.ini = run.folder + name + ".ini";
    if (!CopyFileA(VantorExecutable().c_str(), run.exe.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << VantorExecutable() << " to " << run.exe;
        return run;
    }
    if (!ini.empty()) WriteFileBytes(run.ini, ini);
    run.process = StartProgram(Quoted(run.exe), run.folder);
    if (run.process) run.notice = WaitForWindow(name + " 1.1");
    return run;
}

bool AnswerNotice(VantorRun& run, bool catchKeys) {
    if (!run.notice) return false;
    std::string base = run.exe.substr(run.folder.size(), run.exe.size() - run.folder.size() - 4);
    SendMessageA(GetDlgItem(run.notice, kNoticeBox), BM_SETCHECK, catchKeys ? BST_CHECKED : BST_UNCHECKED, 0);
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
    run.tray = FindWindowA("#32770", base.c_str());
    if (!run.tray) ADD_FAILURE() << "no tray window \"" << base << "\"";
    // The hotkeys are registered right after the notice closes.
    Pump(200);
    return run.tray != nullptr;
}

VantorRun StartVantorReady(const std::string& name, const std::string& ini) {
    VantorRun run = StartVantor(name, ini);
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

}  // namespace e2e
