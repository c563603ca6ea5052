// Arbitrary configuration file bytes through the contact book's reader, and
// what the contact book makes of every contact and company it yields.
#include <cstddef>
#include <cstdint>
#include <string>

#include "features/contacts/contact_filter.h"
#include "features/contacts/contact_store.h"
#include "platform/sim/sim.h"
#include "text/folding.h"
#include "text/trim.h"

namespace {

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

// The link is one anchor whose text carries no markup of its own.
void CheckLink(const std::string& link) {
    const std::string open = "<a href='", close = "</a>";
    Check(link.compare(0, open.size(), open) == 0);
    Check(link.size() >= open.size() + close.size() + 3);
    Check(link.compare(link.size() - close.size(), close.size(), close) == 0);
    size_t hrefEnd = link.find("'>", open.size());
    Check(hrefEnd != std::string::npos);
    std::string href = link.substr(open.size(), hrefEnd - open.size());
    std::string text = link.substr(hrefEnd + 2, link.size() - close.size() - hrefEnd - 2);
    Check(href.find_first_of("'<>") == std::string::npos);
    Check(text.find_first_of("<>") == std::string::npos);
    Check(!text.empty() && text[0] == '@');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The simulation logs every call; a long run must not keep them all.
    sim::ClearCalls();
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ParseContactBook(bytes);
    Check(!gDomains.empty());
    for (const DomainEntry& domain : gDomains) {
        Check(!domain.emailExtension.empty() && domain.emailExtension[0] == '@');
        Check(TrimSpaces(domain.acronym) == domain.acronym);
        Check(TrimSpaces(domain.companyName) == domain.companyName);
    }
    std::vector<std::string> keys;
    for (const Contact& contact : gContacts) {
        Check(contact.displayKey.find('=') == std::string::npos);
        std::string folded = FoldAccents(contact.displayKey);
        Check(FoldAccents(folded) == folded);
        Check(MatchForm(LowerCaseForm(contact.displayKey)) == MatchForm(contact.displayKey));
        const std::string& extension = gDomains.back().emailExtension;
        std::string address = ComposeAddress(contact.displayKey, extension);
        Check(address.empty() || address.size() > extension.size());
        for (size_t i = 0; i + extension.size() < address.size(); ++i)
            Check(static_cast<unsigned char>(address[i]) < 0x80);
        CheckLink(BuildContactLink(contact.displayKey, contact.mailtoValue));
        CheckLink(BuildContactLink(contact.displayKey, "mailto:" + address));
        keys.push_back(contact.displayKey);
    }
    if (!keys.empty()) {
        const std::string& typed = keys.front();
        std::vector<size_t> gone = NarrowContactList(keys, typed);
        Check(gone.size() < keys.size());
        for (size_t i = 1; i < gone.size(); ++i) Check(gone[i] < gone[i - 1]);
        // Every contact shown already: nothing comes back; none shown: every
        // one narrowing keeps comes back.
        Check(WidenContactList(gContacts, typed, keys).empty());
        Check(WidenContactList(gContacts, typed, {}).size() <= keys.size() - gone.size());
    }
    return 0;
}
