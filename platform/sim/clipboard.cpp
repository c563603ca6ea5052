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
bool gOpen = false;
bool gFailNextAllocation = false;

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
    gOpen = false;
    gFailNextAllocation = false;
}

const std::map<unsigned, std::string>& ClipboardContent() { return gContent; }

void SetClipboardData(unsigned format, const std::string& block) { gContent[format] = block; }

void HoldClipboardElsewhere(bool held) { gHeldElsewhere = held; }

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
    bool done = !sim::gHeldElsewhere && !sim::gOpen;
    if (done) sim::gOpen = true;
    sim::Log("OpenClipboard", sim::HandleText(owner) + (done ? "" : " failed"));
    return done;
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
    }
    sim::Log("SetClipboardData", sim::Hex(format) + " " + sim::Hex(allocFlags) + " " +
                                     std::to_string(bytes.size() + 1) + " bytes" +
                                     (!allocated ? " allocation failed" : done ? "" : " failed"));
    return done;
}

}  // namespace platform
