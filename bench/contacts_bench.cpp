// How long the contact book takes to read its section and to narrow and
// widen its list, for books of 1,000 to 50,000 contacts.
#include <string>
#include <vector>

#include "bench/measure.h"

#include "features/contacts/contact_filter.h"
#include "features/contacts/contact_store.h"
#include "platform/files.h"
#include "text/encoding.h"
#ifndef _WIN32
#include "platform/sim/sim.h"
#endif

namespace {

volatile size_t gSink;

const char* const kSyllables[] = {"ma", "ri", "do", "\xC3\xA9l", "ber", "zo",
                                  "lie", "tan", "\xC3\xA7o", "vi", "nu", "pa"};

std::string Name(unsigned seed, int syllables) {
    std::string name;
    for (int i = 0; i < syllables; ++i) {
        name += kSyllables[seed % 12];
        seed = seed * 1103515245u + 12345u;
        seed >>= 3;
    }
    name[0] = static_cast<char>(name[0] - 32 * (name[0] >= 'a' && name[0] <= 'z'));
    return name;
}

std::string GeneratedFile(int contacts) {
    std::string file =
        "[domains]\r\ndefault=Microsoft@microsoft.com\r\nY!=Yahoo!@yahoo.com\r\n"
        "G=Google@gmail.com\r\nAMZ=Amazon@amazon.com\r\n\r\n[contact_book]\r\n";
    for (int i = 0; i < contacts; ++i) {
        std::string surname = Name(i * 7 + 1, 3) + std::to_string(i);
        std::string given = Name(i * 13 + 5, 2);
        file += surname + ", " + given + "=mailto:" + given + "." + surname + "@yahoo.com\r\n";
    }
    return file;
}

// One call per sample: a call of a large book is long enough to time.
template <class Work>
Spread OneCallSamples(int samples, Work work) {
    return NanosecondsPerCall(samples, 1, [&](long) { work(); }, ForgetCalls);
}

// The file is read through the platform, as the dialog reads it.
std::string WrittenFile(const std::string& bytes) {
#ifdef _WIN32
    std::string path = platform::GetModuleFileNameW() + ".bench.ini";
#else
    sim::AddFolder("C:\\Bench");
    std::string path = "C:\\Bench\\contacts.ini";
#endif
    platform::DeleteFileW(path);
    platform::WriteNewFile(path, bytes);
    return path;
}

}  // namespace

int main() {
#ifndef _WIN32
    sim::Reset();
#endif
    for (int contacts : {1000, 10000, 50000}) {
        const std::string size = std::to_string(contacts) + " contacts";
        const std::string path = WrittenFile(GeneratedFile(contacts));
        Report("Contact book procedures", "LoadContactBook, " + size, "ns/call", OneCallSamples(9, [&] { LoadContactBookFrom(path); }));
        platform::DeleteFileW(path);

        std::vector<std::string> shown;
        for (const Contact& contact : gContacts) shown.push_back(contact.displayKey);
        ForgetCalls();

        // One letter typed after "ma": most of the list goes.
        std::vector<size_t> gone;
        Report("Contact book procedures", "NarrowContactList \"ma\" to \"mar\", " + size, "ns/call",
               OneCallSamples(9, [&] { gone = NarrowContactList(shown, "mar"); }));
        std::vector<std::string> left;
        for (size_t i = 0, g = gone.size(); i < shown.size(); ++i) {
            if (g > 0 && gone[g - 1] == i) --g;
            else left.push_back(shown[i]);
        }

        // Backspace back to "m": the rest comes back, each checked against
        // what is still shown.
        Report("Contact book procedures", "WidenContactList \"mar\" to \"m\", " + size, "ns/call",
               OneCallSamples(9, [&] { gSink = WidenContactList(gContacts, "m", left).size(); }));
        std::vector<std::string> unplaced;
        Report("Contact book procedures", "MergeInListOrder of the whole book, " + size, "ns/call",
               OneCallSamples(9, [&] { gSink = MergeInListOrder(shown, left, shown, unplaced).size(); }));
    }
    return 0;
}
