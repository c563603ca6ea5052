// One clipboard shared with other programs: formats and their blocks in the
// order placed, the formats the system synthesises, promised formats
// rendered when first read, an owner told when the clipboard is emptied, a
// single opener at a time, registered format names; and the other programs
// that use it: a copier, a note program reading on Ctrl+V, a clipboard
// history.
#include <algorithm>
#include <map>

#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {

constexpr unsigned kText = 1, kBitmap = 2, kOemText = 7, kDib = 8, kUnicodeText = 13, kLocale = 16, kDibV5 = 17;

struct Entry {
    unsigned format;
    std::string block;
    bool promised;
    unsigned renderMs;  // a promise of another program's: how long it takes
};

std::vector<Entry> gEntries;
std::map<unsigned, unsigned> gAllocFlags;
std::map<std::u16string, unsigned> gFormatIds;  // by lower-cased name
std::map<unsigned, std::string> gFormatNames;
unsigned gNextFormat = 0xC000;
bool gHeldElsewhere = false;
unsigned gHeldUntil = 0;
bool gOpen = false;
bool gOpenByProgram = false;
WindowHandle gOpenWindow = nullptr;
bool gChangedWhileOpen = false;
WindowHandle gOwner = nullptr;
bool gOwnerIsProgram = false;
unsigned gRendering = 0;
void (*gOwnerHandler)(unsigned, unsigned) = nullptr;
bool gFailNextAllocation = false;
unsigned gSequence = 1;
unsigned gHeldAfterChange = 0;

struct Placement {
    unsigned format = 0;
    std::string block;
    unsigned delay = kForever;
    unsigned dueAt = kForever;
    WindowHandle owner = nullptr;  // as given
    WindowHandle landsAs = nullptr;
};
Placement gCopyAnswer;      // due once Ctrl+C has arrived
Placement gOtherPlacement;  // due at its time, whatever the keys

struct History {
    bool on = false;
    bool honoursExclusion = true;
    WindowHandle window = nullptr;
    std::vector<std::vector<ClipboardBlock>> records;
} gHistory;

struct Reader {
    std::vector<PasteRead> reads;
    std::vector<PasteReadResult> results;
} gReader;

Entry* Find(unsigned format) {
    for (Entry& entry : gEntries)
        if (entry.format == format) return &entry;
    return nullptr;
}

void SendOwner(unsigned message, unsigned format) {
    if (gOwnerIsProgram && gOwnerHandler) gOwnerHandler(message, format);
}

void ScheduleHistoryRead();

// A change seen by the others: at once for another program's, at the close
// for the program's own (its listeners hear of it then).
void Changed() {
    ++gSequence;
    if (gHeldAfterChange) gHeldUntil = Now() + gHeldAfterChange;
    if (gOpenByProgram) gChangedWhileOpen = true;
    else ScheduleHistoryRead();
}

bool HeldElsewhere() { return gHeldElsewhere || Now() < gHeldUntil; }

// EmptyClipboard by whoever: the owner is told, the opener owns it now.
void Empty(WindowHandle newOwner, bool byProgram) {
    SendOwner(platform::kDestroyClipboardMessage, 0);
    gEntries.clear();
    gAllocFlags.clear();
    gOwner = newOwner;
    gOwnerIsProgram = byProgram && newOwner != nullptr;
}

void ReplaceByAnotherProgram(WindowHandle window, const std::vector<Entry>& entries) {
    Empty(window, false);
    gEntries = entries;
    Changed();
}

// Another program's placement lands once the clock has reached it
// (whatever looks at the clipboard first sees it there); finding the
// clipboard open, it waits, as real copiers do.
void Land(Placement& placement) {
    if (placement.dueAt == kForever || Now() < placement.dueAt) return;
    if (gOpen || HeldElsewhere()) return;
    placement.dueAt = kForever;
    ReplaceByAnotherProgram(placement.landsAs, {{placement.format, placement.block, false, 0}});
}

void LandDuePlacements() {
    bool otherFirst = gOtherPlacement.dueAt <= gCopyAnswer.dueAt;
    Land(otherFirst ? gOtherPlacement : gCopyAnswer);
    Land(otherFirst ? gCopyAnswer : gOtherPlacement);
}

std::u16string FormatKey(const std::string& name) {
    std::u16string key = DecodeAnsi(name);
    for (char16_t& unit : key) unit = LowerUnit(unit);
    return key;
}

std::string Utf16Bytes(const std::u16string& text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes + std::string(2, '\0');
}

std::u16string Utf16Text(const std::string& bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char16_t unit = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (unit == 0) break;
        text += unit;
    }
    return text;
}

// The formats Windows makes from one that is there, as it lists them.
std::vector<unsigned> SynthesisedFrom(unsigned format) {
    switch (format) {
        case kUnicodeText: return {kLocale, kText, kOemText};
        case kText: return {kLocale, kUnicodeText, kOemText};
        case kOemText: return {kLocale, kUnicodeText, kText};
        case kDib: return {kBitmap, kDibV5};
        case kDibV5: return {kBitmap, kDib};
        case kBitmap: return {kDib, kDibV5};
        default: return {};
    }
}

std::vector<unsigned> ListedFormats() {
    std::vector<unsigned> formats;
    for (const Entry& entry : gEntries) formats.push_back(entry.format);
    for (const Entry& entry : gEntries)
        for (unsigned made : SynthesisedFrom(entry.format))
            if (std::find(formats.begin(), formats.end(), made) == formats.end()) formats.push_back(made);
    return formats;
}

bool Render(Entry& entry) {
    if (!entry.promised) return true;
    if (entry.renderMs != kForever) {  // another program's: it takes its time
        PassTime(entry.renderMs);
        entry.promised = false;
        return true;
    }
    gRendering = entry.format;
    SendOwner(platform::kRenderFormatMessage, entry.format);
    gRendering = 0;
    return !entry.promised;
}

// The data of a format as a reader gets it, synthesised if need be; a
// bitmap is a GDI handle, not bytes.
bool Read(unsigned format, std::string& block) {
    if (!gOpen || format == kBitmap) return false;
    if (Entry* entry = Find(format)) {
        if (!Render(*entry)) return false;
        block = entry->block;
        return true;
    }
    auto listed = ListedFormats();
    if (std::find(listed.begin(), listed.end(), format) == listed.end()) return false;
    if (format == kLocale) {
        block = std::string("\x09\x04\0\0", 4);
        return true;
    }
    for (unsigned source : {kUnicodeText, kText, kOemText, kDib, kDibV5}) {
        std::string from;
        if (source == format || !Find(source) || !Read(source, from)) continue;
        if (format == kUnicodeText) block = Utf16Bytes(DecodeAnsi(from.substr(0, from.find('\0'))));
        else if (source == kUnicodeText) block = EncodeAnsi(Utf16Text(from)) + '\0';
        else block = from;  // one text from another of one byte each; a DIB's header the same
        return true;
    }
    return false;
}

bool OpenAs(WindowHandle window, bool byProgram) {
    LandDuePlacements();
    if (HeldElsewhere() || gOpen) return false;
    gOpen = true;
    gOpenByProgram = byProgram;
    gOpenWindow = window;
    gChangedWhileOpen = false;
    return true;
}

void Close() {
    bool changed = gOpenByProgram && gChangedWhileOpen;
    gOpen = gOpenByProgram = gChangedWhileOpen = false;
    gOpenWindow = nullptr;
    if (changed) ScheduleHistoryRead();
}

bool Excluded() {
    std::string block;
    for (const Entry& entry : gEntries) {
        const std::string& name = gFormatNames[entry.format];
        if (name == "ExcludeClipboardContentFromMonitorProcessing") return true;
        if (name == "CanIncludeInClipboardHistory" && Read(entry.format, block) &&
            block.find_first_not_of('\0') == std::string::npos)
            return true;
    }
    return false;
}

// A history takes every format of every change at once, the moment it is
// told, unless the content asks it not to (and it honours that).
void ReadForHistory(unsigned attempts) {
    if (!OpenAs(gHistory.window, false)) {
        if (attempts > 0) At(Now() + 5, [attempts] { ReadForHistory(attempts - 1); });
        return;
    }
    if (!gHistory.honoursExclusion || !Excluded()) {
        std::vector<ClipboardBlock> record;
        std::string block;
        for (unsigned format : ListedFormats())
            if (Read(format, block)) record.push_back({format, block});
        gHistory.records.push_back(record);
    }
    Close();
}

void ScheduleHistoryRead() {
    if (gHistory.on) At(Now() + 1, [] { ReadForHistory(100); });
}

// A note program's read: one opening for each, retried while busy.
void ReadForPaste(WindowHandle reader, unsigned format, unsigned attempts) {
    if (!OpenAs(reader, false)) {
        if (attempts > 0) At(Now() + 10, [=] { ReadForPaste(reader, format, attempts - 1); });
        else gReader.results.push_back({format, false, "", Now(), {}});
        return;
    }
    PasteReadResult result{format, false, "", Now(), ListedFormats()};
    result.found = Read(format, result.bytes);
    Close();
    gReader.results.push_back(result);
}

}  // namespace

void ResetClipboard() {
    gEntries.clear();
    gAllocFlags.clear();
    gFormatIds.clear();
    gFormatNames.clear();
    gNextFormat = 0xC000;
    gHeldElsewhere = false;
    gHeldUntil = 0;
    gOpen = gOpenByProgram = gChangedWhileOpen = false;
    gOpenWindow = nullptr;
    gOwner = nullptr;
    gOwnerIsProgram = false;
    gRendering = 0;
    gOwnerHandler = nullptr;
    gFailNextAllocation = false;
    gSequence = 1;
    gHeldAfterChange = 0;
    gCopyAnswer = {};
    gOtherPlacement = {};
    gHistory = {};
    gReader = {};
}

// Kept as it was while nothing changed, so that a test may hold on to what
// one call found while it makes another.
const std::map<unsigned, std::string>& ClipboardContent() {
    static std::map<unsigned, std::string> content;
    LandDuePlacements();
    std::map<unsigned, std::string> now;
    for (const Entry& entry : gEntries)
        if (!entry.promised) now[entry.format] = entry.block;
    if (now != content) content = std::move(now);
    return content;
}

bool PeekClipboard(unsigned format, std::string& block) {
    LandDuePlacements();
    Entry* entry = Find(format);
    if (entry && entry->promised) return false;
    bool wasOpen = gOpen;
    gOpen = true;  // read as a reader would, without taking the clipboard
    bool found = Read(format, block);
    gOpen = wasOpen;
    return found;
}

std::vector<unsigned> PromisedFormats() {
    std::vector<unsigned> formats;
    for (const Entry& entry : gEntries)
        if (entry.promised) formats.push_back(entry.format);
    return formats;
}

void SetClipboardData(unsigned format, const std::string& block) {
    if (Entry* entry = Find(format)) entry->block = block;
    else gEntries.push_back({format, block, false, 0});
    Changed();
}

void CopyFromAnotherProgram(const std::vector<OtherFormat>& formats) {
    std::vector<Entry> entries;
    for (const OtherFormat& format : formats)
        entries.push_back({format.format, format.block, format.renderMs != 0, format.renderMs});
    ReplaceByAnotherProgram(AddWindow("Copying program"), entries);
}

void DeliverOwnerMessagesTo(void (*handler)(unsigned message, unsigned format)) { gOwnerHandler = handler; }

void DestroyClipboardOwner() {
    if (!gOwnerIsProgram) return;
    if (!PromisedFormats().empty()) SendOwner(platform::kRenderAllFormatsMessage, 0);
    gEntries.erase(std::remove_if(gEntries.begin(), gEntries.end(), [](const Entry& e) { return e.promised; }),
                   gEntries.end());
    gOwner = nullptr;
    gOwnerIsProgram = false;
}

void RunClipboardHistory(bool honoursExclusion) {
    gHistory.on = true;
    gHistory.honoursExclusion = honoursExclusion;
    gHistory.window = AddWindow("Clipboard history");
}

const std::vector<std::vector<ClipboardBlock>>& HistoryRecords() { return gHistory.records; }

void ReadOnPaste(const std::vector<PasteRead>& reads) { gReader.reads = reads; }

const std::vector<PasteReadResult>& PasteReads() { return gReader.results; }

void PasteKeysArrived() {
    WindowHandle reader = Foreground();
    unsigned at = Now();
    for (const PasteRead& read : gReader.reads) {
        at += read.afterMs;
        unsigned format = read.format;
        At(at, [=] { ReadForPaste(reader, format, 50); });
    }
}

void HoldClipboardElsewhere(bool held) { gHeldElsewhere = held; }

void HoldClipboardElsewhereFor(unsigned milliseconds) { gHeldUntil = Now() + milliseconds; }

void HoldClipboardAfterEveryChange(unsigned milliseconds) { gHeldAfterChange = milliseconds; }

void AnswerCopyWith(unsigned format, const std::string& block, unsigned delay, WindowHandle owner) {
    gCopyAnswer = {format, block, delay, kForever, owner, owner};
}

void PlaceFromAnotherProgram(unsigned format, const std::string& block, unsigned delay, WindowHandle owner) {
    gOtherPlacement = {format, block, delay, delay == kForever ? kForever : Now() + delay, owner, owner};
    LandDuePlacements();
}

// The copier owns what it copies: its own window unless told which.
void CopyKeysArrived() {
    if (gCopyAnswer.delay != kForever) gCopyAnswer.dueAt = Now() + gCopyAnswer.delay;
    gCopyAnswer.landsAs = gCopyAnswer.owner ? gCopyAnswer.owner : Foreground();
    LandDuePlacements();
}

unsigned ClipboardSequenceNumber() {
    LandDuePlacements();
    return gSequence;
}

void FailNextAllocation() { gFailNextAllocation = true; }

const std::map<unsigned, unsigned>& ClipboardAllocFlags() { return gAllocFlags; }

bool ClipboardIsOpen() { return gOpen; }

}  // namespace sim

namespace platform {

unsigned RegisterClipboardFormatA(const std::string& name) {
    unsigned id = 0;
    if (!name.empty() && name.size() <= 255) {
        unsigned& known = sim::gFormatIds[sim::FormatKey(name)];
        if (known == 0) {
            known = sim::gNextFormat++;
            sim::gFormatNames[known] = name;
        }
        id = known;
    }
    sim::Log("RegisterClipboardFormatA", name + " -> " + sim::Hex(id));
    return id;
}

std::string GetClipboardFormatNameA(unsigned format) {
    auto found = sim::gFormatNames.find(format);
    return found != sim::gFormatNames.end() ? found->second : "";
}

// Unlike the real call, a second open without a close fails too, so that a
// test sees an operation that forgot to close.
bool OpenClipboard(WindowHandle owner) {
    bool done = sim::OpenAs(owner, true);
    sim::Log("OpenClipboard", sim::HandleText(owner) + (done ? "" : " failed"));
    return done;
}

unsigned GetClipboardSequenceNumber() {
    unsigned number = sim::ClipboardSequenceNumber();
    sim::Log("GetClipboardSequenceNumber", std::to_string(number));
    return number;
}

bool CloseClipboard() {
    bool done = sim::gOpen && sim::gOpenByProgram;
    if (done) sim::Close();
    sim::Log("CloseClipboard", done ? "" : "failed");
    return done;
}

bool EmptyClipboard() {
    bool done = sim::gOpen && sim::gOpenByProgram;
    if (done) {
        sim::Empty(sim::gOpenWindow, true);
        sim::Changed();
    }
    sim::Log("EmptyClipboard", done ? "" : "failed");
    return done;
}

bool GetClipboardBytes(unsigned format, std::string& bytes) {
    std::string block;
    bool done = sim::gOpenByProgram && sim::Read(format, block);
    if (done) bytes = block.substr(0, block.find('\0'));
    sim::Log("GetClipboardData", sim::Hex(format) + (done ? "" : " none"));
    return done;
}

bool GetClipboardBlock(unsigned format, std::string& bytes, size_t limit) {
    std::string block;
    bool done = sim::gOpenByProgram && sim::Read(format, block) && !block.empty();
    bytes = done && block.size() <= limit ? block : std::string();
    sim::Log("GetClipboardData", sim::Hex(format) + (!done ? " none" : bytes.empty() ? " too large" : " whole"));
    return done;
}

std::vector<unsigned> ClipboardFormats() {
    std::vector<unsigned> formats = sim::gOpen ? sim::ListedFormats() : std::vector<unsigned>{};
    sim::Log("EnumClipboardFormats", std::to_string(formats.size()));
    return formats;
}

// While the owner renders a promise the reader holds the clipboard open;
// the owner places the data without opening it.
static bool Place(unsigned format, const std::string& block, unsigned allocFlags, const char* what) {
    bool allocated = !sim::gFailNextAllocation;
    sim::gFailNextAllocation = false;
    bool rendering = sim::gRendering == format;
    bool done = allocated && ((sim::gOpen && sim::gOpenByProgram) || rendering);
    if (done) {
        sim::Entry* entry = sim::Find(format);
        if (!entry) {
            sim::gEntries.push_back({format, "", false, 0});
            entry = &sim::gEntries.back();
        }
        entry->block = block;
        entry->promised = false;
        sim::gAllocFlags[format] = allocFlags;
        if (!rendering) sim::Changed();
    }
    sim::Log("SetClipboardData", sim::Hex(format) + " " + sim::Hex(allocFlags) + " " + std::to_string(block.size()) +
                                     " bytes" + what +
                                     (!allocated ? " allocation failed"
                                      : done     ? ""
                                                 : " failed"));
    return done;
}

// Logged as the SetClipboardData it ends with; a failed allocation is
// logged under that name too, with nothing handed over.
bool PutClipboardBytes(unsigned format, const std::string& bytes, unsigned allocFlags) {
    return Place(format, bytes + '\0', allocFlags, "");
}

bool PutClipboardBlock(unsigned format, const std::string& bytes) {
    return Place(format, bytes, kGmemMoveable, " whole");
}

bool PromiseClipboardFormat(unsigned format) {
    bool done = sim::gOpen && sim::gOpenByProgram;
    if (done) {
        if (sim::Entry* entry = sim::Find(format)) *entry = {format, "", true, sim::kForever};
        else sim::gEntries.push_back({format, "", true, sim::kForever});
        sim::Changed();
    }
    sim::Log("SetClipboardData", sim::Hex(format) + " promised" + (done ? "" : " failed"));
    return done;
}

WindowHandle GetClipboardOwner() {
    sim::Log("GetClipboardOwner", sim::HandleText(sim::gOwner));
    return sim::gOwner;
}

WindowHandle GetOpenClipboardWindow() {
    WindowHandle window = sim::gOpen ? sim::gOpenWindow : nullptr;
    sim::Log("GetOpenClipboardWindow", sim::HandleText(window));
    return window;
}

}  // namespace platform
