// How long the contact book takes to read its section and to narrow and
// widen its list, for books of 1,000 to 50,000 contacts.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "features/contacts/contact_filter.h"
#include "features/contacts/contact_store.h"
#include "inject/text_encoding.h"
#ifndef _WIN32
#include "platform/sim/sim.h"
#endif

namespace {

// Forgets what the simulation logged, so the log does not grow across runs.
void ForgetCalls() {
#ifndef _WIN32
    sim::ClearCalls();
#endif
}

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

template <class Work>
double NanosecondsPerRun(int runs, Work work) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        auto start = std::chrono::steady_clock::now();
        work();
        auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::nano>(end - start).count());
        ForgetCalls();
    }
    return best;
}

}  // namespace

int main() {
#ifndef _WIN32
    sim::Reset();
#endif
    std::printf("%10s %16s %16s %16s %10s %10s\n", "contacts", "parse ns", "narrow ns", "widen ns",
                "narrowed", "widened");
    for (int contacts : {1000, 10000, 50000}) {
        std::string file = GeneratedFile(contacts);
        double parse = NanosecondsPerRun(5, [&] { ParseContactBook(file); });

        std::vector<std::string> shown;
        for (const Contact& contact : gContacts) shown.push_back(Utf8ToAnsi(contact.displayKey));
        ForgetCalls();

        // One letter typed after "ma": most of the list goes.
        std::vector<size_t> gone;
        double narrow = NanosecondsPerRun(5, [&] { gone = NarrowContactList(shown, "mar"); });
        std::vector<std::string> left;
        for (size_t i = 0, g = gone.size(); i < shown.size(); ++i) {
            if (g > 0 && gone[g - 1] == i) --g;
            else left.push_back(shown[i]);
        }

        // Backspace back to "m": the rest comes back, each checked against
        // what is still shown.
        std::vector<std::string> added;
        double widen = NanosecondsPerRun(5, [&] { added = WidenContactList(gContacts, "m", left); });
        std::printf("%10d %16.0f %16.0f %16.0f %10zu %10zu\n", contacts, parse, narrow, widen,
                    gone.size(), added.size());
    }
    return 0;
}
