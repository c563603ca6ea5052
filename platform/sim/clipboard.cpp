// One clipboard shared with other programs: formats and their blocks, a
// single opener at a time, registered format names.
#include <map>

#include "platform/clipboard.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {

std::map<unsigned, std::string> gContent;
std::map<unsigned, unsigned> gAllocFlags;
std::map<std::u16string, unsigned> gFormatIds;  // by lower-cased name
unsigned gNextFormat = 0xC000;
bool gHeldElsewhere = false;
unsigned gHeldUntil = 0;
bool gOpen = false;
bool gFailNextAllocation = false;
unsigned gSequence = 1;
unsigned gHeldAfterChange = 0;

struct Placement {
    unsigned format = 0;
    std::string block;
    unsigned delay = kForever;
    unsigned dueAt = kForever;
};
Placement gCopyAnswer;       // due once Ctrl+C has arrived
Placement gOtherPlacement;   // due at its time, whatever the keys

void Changed() {
    ++gSequence;
    if (gHeldAfterChange) gHeldUntil = Now() + gHeldAfterChange;
}

bool HeldElsewhere() { return gHeldElsewhere || Now() < gHeldUntil; }

// Another program's placement lands once the clock has reached it
// (whatever looks at the clipboard first sees it there); finding the
// clipboard open, it waits, as real copiers do.
void Land(Placement& placement) {
    if (placement.dueAt == kForever || Now() < placement.dueAt) return;
    if (gOpen || HeldElsewhere()) return;
    placement.dueAt = kForever;
    gContent.clear();
    gAllocFlags.clear();
    gContent[placement.format] = placement.block;
    Changed();
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

}  // namespace

void ResetClipboard() {
    gContent.clear();
    gAllocFlags.clear();
    gFormatIds.clear();
    gNextFormat = 0xC000;
    gHeldElsewhere = false;
    gHeldUntil = 0;
    gOpen = false;
    gFailNextAllocation = false;
    gSequence = 1;
    gHeldAfterChange = 0;
    gCopyAnswer = {};
    gOtherPlacement = {};
}

const std::map<unsigned, std::string>& ClipboardContent() {
    LandDuePlacements();
    return gContent;
}

void SetClipboardData(unsigned format, const std::string& block) {
    gContent[format] = block;
    Changed();
}

void HoldClipboardElsewhere(bool held) { gHeldElsewhere = held; }

void HoldClipboardElsewhereFor(unsigned milliseconds) { gHeldUntil = Now() + milliseconds; }

void HoldClipboardAfterEveryChange(unsigned milliseconds) { gHeldAfterChange = milliseconds; }

void AnswerCopyWith(unsigned format, const std::string& block, unsigned delay) {
    gCopyAnswer = {format, block, delay, kForever};
}

void PlaceFromAnotherProgram(unsigned format, const std::string& block, unsigned delay) {
    gOtherPlacement = {format, block, delay, Now() + delay};
    LandDuePlacements();
}

void CopyKeysArrived() {
    if (gCopyAnswer.delay != kForever) gCopyAnswer.dueAt = Now() + gCopyAnswer.delay;
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
        if (known == 0) known = sim::gNextFormat++;
        id = known;
    }
    sim::Log("RegisterClipboardFormatA", name + " -> " + sim::Hex(id));
    return id;
}

// Unlike the real call, a second open without a close fails too, so that a
// test sees an operation that forgot to close.
bool OpenClipboard(WindowHandle owner) {
    sim::LandDuePlacements();
    bool done = !sim::HeldElsewhere() && !sim::gOpen;
    if (done) sim::gOpen = true;
    sim::Log("OpenClipboard", sim::HandleText(owner) + (done ? "" : " failed"));
    return done;
}

unsigned GetClipboardSequenceNumber() {
    unsigned number = sim::ClipboardSequenceNumber();
    sim::Log("GetClipboardSequenceNumber", std::to_string(number));
    return number;
}

bool CloseClipboard() {
    bool done = sim::gOpen;
    sim::gOpen = false;
    sim::Log("CloseClipboard", done ? "" : "failed");
    return done;
}

bool EmptyClipboard() {
    bool done = sim::gOpen;
    if (done) {
        sim::gContent.clear();
        sim::gAllocFlags.clear();
        sim::Changed();
    }
    sim::Log("EmptyClipboard", done ? "" : "failed");
    return done;
}

bool GetClipboardBytes(unsigned format, std::string& bytes) {
    auto found = sim::gContent.find(format);
    bool done = sim::gOpen && found != sim::gContent.end();
    if (done) bytes = found->second.substr(0, found->second.find('\0'));
    sim::Log("GetClipboardData", sim::Hex(format) + (done ? "" : " none"));
    return done;
}

// Logged as the SetClipboardData it ends with; a failed allocation is
// logged under that name too, with nothing handed over.
bool PutClipboardBytes(unsigned format, const std::string& bytes, unsigned allocFlags) {
    bool allocated = !sim::gFailNextAllocation;
    sim::gFailNextAllocation = false;
    bool done = allocated && sim::gOpen;
    if (done) {
        sim::gContent[format] = bytes + '\0';
        sim::gAllocFlags[format] = allocFlags;
        sim::Changed();
    }
    sim::Log("SetClipboardData", sim::Hex(format) + " " + sim::Hex(allocFlags) + " " +
                                     std::to_string(bytes.size() + 1) + " bytes" +
                                     (!allocated ? " allocation failed" : done ? "" : " failed"));
    return done;
}

}  // namespace platform
