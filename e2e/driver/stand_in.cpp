#include "e2e/driver/stand_in.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "e2e/driver/desktop.h"

namespace e2e {

namespace {

std::string KeyLine(const char* kind, WORD virtualKey, unsigned flags) {
    char line[64];
    std::snprintf(line, sizeof line, "%s vk=0x%02X scan=0x%02X flags=0x%02X", kind, virtualKey,
                  MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC), flags);
    return line;
}

}  // namespace

std::string Quoted(const std::string& argument) { return "\"" + argument + "\""; }

StandIn StartStandIn(const std::string& caption, const std::string& moreArguments) {
    StandIn standIn;
    standIn.folder = FreshFolder("stand-in");
    std::string program = CopyInto(ProgramFolder() + "stand_in.exe", standIn.folder);
    if (program.empty()) return standIn;
    standIn.log = standIn.folder + "stand_in.log";
    standIn.keyLog = standIn.log + ".keys";
    std::string commandLine = Quoted(program) + " --title " + Quoted(caption) + " --log " + Quoted(standIn.log);
    if (!moreArguments.empty()) commandLine += " " + moreArguments;
    standIn.process = StartProgram(commandLine, standIn.folder);
    if (!standIn.process) return standIn;
    standIn.window = WaitForWindow(caption);
    if (!standIn.window || WaitForLogLine(standIn.log, "READY") < 0 || !WaitForForeground(standIn.window))
        return standIn;
    standIn.edit = FindWindowExA(standIn.window, nullptr, "Edit", nullptr);
    // A freshly focused edit was seen to lose the Shift of a chord sent at once.
    Pump(300);
    standIn.ready = standIn.edit != nullptr;
    return standIn;
}

void EndStandIn(StandIn& standIn) {
    EndProgram(standIn.process, standIn.window);
    standIn.process = nullptr;
    standIn.window = nullptr;
}

std::vector<std::string> StreamKeys(const StandIn& standIn, size_t from) {
    std::vector<std::string> lines = ReadLogLines(standIn.keyLog);
    return {lines.begin() + std::min(from, lines.size()), lines.end()};
}

ClipboardListener StartClipboardListener(const std::string& options) {
    ClipboardListener listener;
    std::string folder = FreshFolder("listener");
    std::string program = CopyInto(ProgramFolder() + "clipboard_listener.exe", folder);
    if (program.empty()) return listener;
    listener.log = folder + "listener.log";
    listener.process = StartProgram(
        Quoted(program) + " " + options + " --log " + Quoted(listener.log), folder);
    if (listener.process && WaitForLogLine(listener.log, "LISTENING") < 0) EndClipboardListener(listener);
    return listener;
}

std::vector<std::pair<UINT, std::string>> CopiedBlocks(const ClipboardListener& copier) {
    std::vector<std::pair<UINT, std::string>> blocks;
    for (const std::string& line : ReadLogLines(copier.log)) {
        if (line.rfind("BLOCK ", 0) != 0) continue;
        size_t blank = line.find(' ', 6);
        blocks.push_back({(UINT)std::stoul(line.substr(6, blank - 6)), HexPayload(line.substr(blank)).value_or("")});
    }
    return blocks;
}

void EndClipboardListener(ClipboardListener& listener) {
    if (!listener.process) return;
    TerminateProcess(listener.process, 0);
    WaitForExit(listener.process, kWait);
    CloseHandle(listener.process);
    listener.process = nullptr;
}

std::string KeyDownLine(WORD virtualKey, unsigned flags) { return KeyLine("KEYDOWN", virtualKey, flags); }

std::string KeyUpLine(WORD virtualKey, unsigned flags) { return KeyLine("KEYUP", virtualKey, flags | 0xC0); }

std::string CharLine(unsigned utf16) {
    char line[32];
    std::snprintf(line, sizeof line, "CHAR 0x%04X", utf16);
    return line;
}

std::string FragmentOf(const std::string& document) {
    auto offset = [&](const std::string& key) -> long {
        size_t at = document.find(key);
        return at == std::string::npos ? -1 : std::stol(document.substr(at + key.size(), 10));
    };
    long start = offset("StartFragment:"), end = offset("EndFragment:");
    EXPECT_EQ(offset("EndHTML:"), (long)document.size()) << document;
    // StartHTML may stand on blank lines before "<html" (OneNote's do).
    long html = offset("StartHTML:");
    while (html >= 0 && document.compare(html, 2, "\r\n") == 0) html += 2;
    EXPECT_EQ(document.compare(html, 5, "<html"), 0) << document;
    EXPECT_EQ(document.compare(start - 20, 20, "<!--StartFragment-->"), 0) << document;
    EXPECT_EQ(document.compare(end, 18, "<!--EndFragment-->"), 0) << document;
    if (start < 20 || end < start || end > (long)document.size()) return "";
    std::string fragment = document.substr(start, end - start);
    while (!fragment.empty() && (fragment.front() == '\r' || fragment.front() == '\n')) fragment.erase(0, 1);
    while (!fragment.empty() && (fragment.back() == '\r' || fragment.back() == '\n')) fragment.pop_back();
    return fragment;
}

std::optional<std::string> PastedDocument(const StandIn& standIn, size_t from) {
    int paste = WaitForLogLine(standIn.log, "PASTE", from);
    if (paste < 0) return std::nullopt;
    int html = WaitForLogLineStarting(standIn.log, "HTML ", paste + 1);
    if (html < 0) return std::nullopt;
    std::optional<std::string> document = HexPayload(ReadLogLines(standIn.log)[html]);
    if (!document) ADD_FAILURE() << "the paste carried no \"HTML Format\"";
    return document;
}

// The answer packs both positions, which needs no memory of the other process.
void EditSelection(const StandIn& standIn, DWORD& start, DWORD& end) {
    DWORD packed = (DWORD)SendMessageA(standIn.edit, EM_GETSEL, 0, 0);
    start = LOWORD(packed);
    end = HIWORD(packed);
}

}  // namespace e2e
