// Global atoms, counted by name as the system counts them, and hotkeys that
// another program may already hold.
#include <algorithm>
#include <set>
#include <utility>

#include "platform/hotkeys.h"
#include "platform/sim/internal.h"
#include "platform/sim/sim.h"

namespace sim {

namespace {

struct Atom {
    std::string name;
    uint16_t id;
    unsigned references;
};

std::vector<Atom> gAtoms;
uint16_t gNextAtom = 0xC000;
std::vector<Hotkey> gHotkeys;
std::set<std::pair<unsigned, unsigned>> gTakenElsewhere;
bool gRefuseNoRepeat = false;

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerUnit(static_cast<unsigned char>(x)) == LowerUnit(static_cast<unsigned char>(y));
           });
}

// Modifier bits that do not make a combination different (MOD_NOREPEAT).
unsigned Combination(unsigned modifiers) { return modifiers & 0x0F; }

bool CombinationTaken(unsigned modifiers, unsigned virtualKey) {
    if (gTakenElsewhere.count({Combination(modifiers), virtualKey})) return true;
    return std::any_of(gHotkeys.begin(), gHotkeys.end(), [&](const Hotkey& hotkey) {
        return Combination(hotkey.modifiers) == Combination(modifiers) && hotkey.virtualKey == virtualKey;
    });
}

}  // namespace

// "#123" names the integer atom 123, which is never stored or counted.
uint16_t IntegerAtom(const std::string& name) {
    if (name.size() < 2 || name.size() > 6 || name[0] != '#') return 0;
    unsigned value = 0;
    for (size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        value = value * 10 + (name[i] - '0');
    }
    return value > 0 && value < 0xC000 ? static_cast<uint16_t>(value) : 0;
}

void ResetHotkeys() {
    gAtoms.clear();
    gNextAtom = 0xC000;
    gHotkeys.clear();
    gTakenElsewhere.clear();
    gRefuseNoRepeat = false;
}

void RefuseNoRepeat() { gRefuseNoRepeat = true; }

const std::vector<Hotkey>& RegisteredHotkeys() { return gHotkeys; }

void TakeHotkeyElsewhere(unsigned modifiers, unsigned virtualKey) {
    gTakenElsewhere.insert({Combination(modifiers), virtualKey});
}

std::vector<std::string> LiveAtoms() {
    std::vector<std::string> names;
    for (const Atom& atom : gAtoms) names.push_back(atom.name);
    return names;
}

}  // namespace sim

namespace platform {

uint16_t GlobalAddAtomA(const std::string& name) {
    uint16_t id = sim::IntegerAtom(name);
    if (id == 0 && !name.empty() && name.size() <= 255 && name.find('\0') == std::string::npos) {
        auto found = std::find_if(sim::gAtoms.begin(), sim::gAtoms.end(),
                                  [&](const sim::Atom& atom) { return sim::SameName(atom.name, name); });
        if (found != sim::gAtoms.end()) {
            ++found->references;
            id = found->id;
        } else if (sim::gNextAtom != 0) {
            id = sim::gNextAtom++;
            sim::gAtoms.push_back({name, id, 1});
        }
    }
    sim::Log("GlobalAddAtomA", name + " -> " + sim::Hex(id));
    return id;
}

void GlobalDeleteAtom(uint16_t atom) {
    sim::Log("GlobalDeleteAtom", sim::Hex(atom));
    auto found =
        std::find_if(sim::gAtoms.begin(), sim::gAtoms.end(), [&](const sim::Atom& entry) { return entry.id == atom; });
    if (found != sim::gAtoms.end() && --found->references == 0) sim::gAtoms.erase(found);
}

bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned virtualKey) {
    bool refused = sim::gRefuseNoRepeat && (modifiers & kModNoRepeat);
    bool done = !refused && !sim::CombinationTaken(modifiers, virtualKey);
    if (done) sim::gHotkeys.push_back({window, id, modifiers, virtualKey});
    sim::Log("RegisterHotKey", sim::HandleText(window) + " " + sim::Hex(id) + " " + sim::Hex(modifiers) + " " +
                                   sim::Hex(virtualKey) + (done ? "" : " failed"));
    return done;
}

bool UnregisterHotKey(WindowHandle window, int id) {
    auto found = std::find_if(sim::gHotkeys.begin(), sim::gHotkeys.end(),
                              [&](const sim::Hotkey& hotkey) { return hotkey.window == window && hotkey.id == id; });
    bool done = found != sim::gHotkeys.end();
    if (done) sim::gHotkeys.erase(found);
    sim::Log("UnregisterHotKey", sim::HandleText(window) + " " + sim::Hex(id) + (done ? "" : " failed"));
    return done;
}

}  // namespace platform
