// The contact book's two lists as one line of text each, so that a test
// compares them with one expectation and a failure shows them whole.
#pragma once

#include <string>
#include <vector>

#include "features/contacts/contact_store.h"

inline std::string ContactsOf(const std::vector<Contact>& contacts) {
    std::string text;
    for (const Contact& c : contacts) text += c.displayKey + "=" + c.mailtoValue + ";";
    return text;
}

inline std::string DomainsOf(const std::vector<DomainEntry>& domains) {
    std::string text;
    for (const DomainEntry& d : domains) text += d.acronym + "=" + d.companyName + "|" + d.emailExtension + ";";
    return text;
}
