#include "inject/clipboard_keeper.h"

#include <algorithm>

#include "inject/html_clipboard.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktop.h"

bool gRestoreClipboard = false;

namespace {

enum class Keeping {
    Nothing,   // no put-back owed
    Saved,     // saved; the feature is at work on the clipboard
    Promised,  // the result promised; the target has not read it yet
    Read,      // the target read it; the put-back waits for the settle
};

constexpr uintptr_t kSettleTimer = 0x7601;
constexpr uintptr_t kUnreadTimer = 0x7602;

Keeping gKeeping = Keeping::Nothing;
std::vector<ClipboardBlock> gSaved;
unsigned gSequenceSaved = 0;
std::vector<ClipboardBlock> gResult;
bool gOwnResult = false;  // no other program has emptied it since
bool gEmptyingOurselves = false;
bool gPasteSent = false;
unsigned gTargetProcess = 0;  // 0: any reader counts

// Monitor and history programs leave alone a clipboard that carries these.
const char kExcludeFromMonitors[] = "ExcludeClipboardContentFromMonitorProcessing";
const char* const kNotForHistory[] = {"CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"};

bool IsTextFormat(unsigned f) { return f == 1 || f == 7 || f == 13; }

// GDI objects, metafiles, owner-display and private-range handles are no
// global memory; a copy of their handle would outlive the object.
bool IsHandleFormat(unsigned f) {
    return f == 2 || f == 3 || f == 9 || f == 14 || f == 0x80 || f == 0x82 || f == 0x83 || f == 0x8E ||
           (f >= 0x200 && f <= 0x3FF);
}

bool Listed(const std::vector<unsigned>& listed, unsigned format) {
    return std::find(listed.begin(), listed.end(), format) != listed.end();
}

// The text the system makes the others from: Unicode first.
unsigned KeptText(const std::vector<unsigned>& listed) {
    for (unsigned f : {13u, 1u, 7u})
        if (Listed(listed, f)) return f;
    return 0;
}

// The program's own emptying tells it nothing about other programs.
bool EmptyOurselves() {
    gEmptyingOurselves = true;
    bool done = platform::EmptyClipboard();
    gEmptyingOurselves = false;
    return done;
}

// Nothing of a saved copy is taken when any part is past a cap: a partial
// copy put back would lose the rest.
bool ReadWhole(std::vector<ClipboardBlock>& saved) {
    const unsigned start = platform::GetTickCount();
    std::vector<unsigned> listed = platform::ClipboardFormats();
    std::vector<std::string> names;
    for (unsigned format : listed) names.push_back(platform::GetClipboardFormatNameA(format));
    size_t total = 0;
    for (unsigned format : FormatsWorthKeeping(listed, names)) {
        std::string block;
        if (platform::GetClipboardBlock(format, block, kSaveSizeCap - total)) {
            if (block.empty()) return false;  // past the size cap
            total += block.size();
            saved.push_back({format, std::move(block)});
        }
        if (platform::GetTickCount() - start > kSaveTimeCapMs) return false;
    }
    return true;
}

void PlaceMarks(const std::vector<ClipboardBlock>& beside) {
    auto has = [&](unsigned format) {
        return std::any_of(beside.begin(), beside.end(), [&](const ClipboardBlock& b) { return b.format == format; });
    };
    if (unsigned f = platform::RegisterClipboardFormatA(kExcludeFromMonitors); f && !has(f))
        platform::PutClipboardBlock(f, std::string(4, '\0'));
    for (const char* name : kNotForHistory)
        if (unsigned f = platform::RegisterClipboardFormatA(name); f && !has(f))
            platform::PutClipboardBlock(f, std::string(4, '\0'));
}

void StopTimers() {
    platform::KillTimer(gClipboardOwner, kSettleTimer);
    platform::KillTimer(gClipboardOwner, kUnreadTimer);
}

void Forget() {
    StopTimers();
    gKeeping = Keeping::Nothing;
    gSaved.clear();
    gResult.clear();
    gPasteSent = false;
}

// With the marks beside it, a history does not record the user's copy a
// second time. Only over the program's own result, unless told: a newer
// copy stays.
void PutBack(bool overAnyone) {
    bool ours = gOwnResult || overAnyone;
    std::vector<ClipboardBlock> saved = std::move(gSaved);
    Forget();
    gOwnResult = false;
    if (!ours || !OpenClipboardPatiently()) return;
    if ((overAnyone || platform::GetClipboardOwner() == gClipboardOwner) && EmptyOurselves()) {
        for (const ClipboardBlock& block : saved) platform::PutClipboardBlock(block.format, block.block);
        if (!saved.empty()) PlaceMarks(saved);
    }
    platform::CloseClipboard();
}

void Render(unsigned format) {
    for (const ClipboardBlock& block : gResult)
        if (block.format == format) platform::PutClipboardBlock(format, block.block);
}

// A read before the keys went (a history that ignores the marks) or by
// another process than the target's is not the paste.
bool IsTargetsRead() {
    if (!gPasteSent) return false;
    unsigned reader = platform::GetWindowProcessId(platform::GetOpenClipboardWindow());
    return gTargetProcess == 0 || reader == 0 || reader == gTargetProcess;
}

void OnRenderFormat(unsigned format) {
    Render(format);
    if ((gKeeping != Keeping::Promised && gKeeping != Keeping::Read) || !IsTargetsRead()) return;
    gKeeping = Keeping::Read;
    platform::KillTimer(gClipboardOwner, kUnreadTimer);
    platform::SetTimer(gClipboardOwner, kSettleTimer, kPutBackSettleMs);
}

void OnDestroyClipboard() {
    if (gEmptyingOurselves) return;
    gOwnResult = false;
    // The highlighter's own copy of the line is its input, not a newer copy.
    if (gKeeping == Keeping::Promised || gKeeping == Keeping::Read) Forget();
}

}  // namespace

std::vector<unsigned> FormatsWorthKeeping(const std::vector<unsigned>& listed, const std::vector<std::string>& names) {
    std::vector<unsigned> kept;
    const unsigned text = KeptText(listed);
    for (size_t i = 0; i < listed.size(); ++i) {
        unsigned f = listed[i];
        const std::string& name = i < names.size() ? names[i] : std::string();
        if (IsHandleFormat(f) || name == "DataObject" || name == "Ole Private Data") continue;
        if (IsTextFormat(f) && f != text) continue;
        if (f == 16 && text == 13) continue;         // CF_LOCALE: made with the Unicode text
        if (f == 17 && Listed(listed, 8)) continue;  // CF_DIBV5: made from CF_DIB
        kept.push_back(f);
    }
    return kept;
}

void SaveUserClipboard() {
    if (!gRestoreClipboard) return;
    if (gKeeping != Keeping::Nothing) {
        StopTimers();
        gKeeping = Keeping::Saved;
        gPasteSent = false;
        return;
    }
    std::vector<ClipboardBlock> saved;
    if (!OpenClipboardPatiently()) return;
    bool whole = ReadWhole(saved);
    platform::CloseClipboard();
    if (!whole) return;
    gSaved = std::move(saved);
    gSequenceSaved = platform::GetClipboardSequenceNumber();
    gKeeping = Keeping::Saved;
}

bool PlaceResult(const std::vector<ClipboardBlock>& result) {
    const bool promise = gKeeping == Keeping::Saved;
    auto place = [promise](const ClipboardBlock& block) {
        return promise ? platform::PromiseClipboardFormat(block.format)
                       : platform::PutClipboardBlock(block.format, block.block);
    };
    if (result.empty() || !OpenClipboardPatiently()) return false;
    // The first format is the result; the others are companions.
    bool placed = EmptyOurselves() && place(result.front());
    if (placed) {
        for (size_t i = 1; i < result.size(); ++i) place(result[i]);
        if (promise) PlaceMarks(result);
    }
    platform::CloseClipboard();
    gOwnResult = placed;
    if (promise) {
        gResult = result;
        gKeeping = placed ? Keeping::Promised : Keeping::Saved;
    }
    return placed;
}

void NotePasteSent(platform::WindowHandle target) {
    if (gKeeping != Keeping::Promised) return;
    gPasteSent = true;
    gTargetProcess = target ? platform::GetWindowProcessId(target) : 0;
    platform::SetTimer(gClipboardOwner, kUnreadTimer, kPutBackUnreadMs);
}

// What changed it since the save was the feature's own work (the line's
// copy), not a newer copy of the user's.
void AbandonResult() {
    if (gKeeping == Keeping::Nothing) return;
    if (platform::GetClipboardSequenceNumber() != gSequenceSaved) PutBack(true);
    else Forget();
}

void OnClipboardOwnerMessage(unsigned message, unsigned format) {
    switch (message) {
        case platform::kRenderFormatMessage: OnRenderFormat(format); break;
        case platform::kRenderAllFormatsMessage: PutBackBeforeExit(); break;
        case platform::kDestroyClipboardMessage: OnDestroyClipboard(); break;
        default: break;
    }
}

// Promises are made only while a put-back is owed, so that is what is made
// at the end; and a result already read, its settle still running, would
// otherwise stay on the clipboard.
void PutBackBeforeExit() {
    if (gKeeping == Keeping::Promised || gKeeping == Keeping::Read) PutBack(false);
}

bool OnClipboardTimer(uintptr_t id) {
    if (id != kSettleTimer && id != kUnreadTimer) return false;
    PutBack(false);
    return true;
}
