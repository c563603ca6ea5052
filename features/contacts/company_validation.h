// The New company dialog's check of its three fields.
#pragma once

#include <string>
#include <vector>

#include "features/contacts/contact_store.h"

// The field to correct, named by its control id; None when all three hold.
enum class CompanyField { None = 0, Acronym = 201, CompanyName = 202, EmailExtension = 203 };

struct CompanyInput {
    CompanyField failed;         // the first field, in dialog order, that fails
    std::string acronym;         // trimmed
    std::string companyName;     // trimmed
    std::string emailExtension;  // "@" + the domain, for a valid input
};

// An acronym that an existing company has, in any case, is refused: the file
// would take it for that company's key and replace its line.
CompanyInput ValidateNewCompany(const std::string& acronymText, const std::string& companyText,
                                const std::string& extensionText, const std::vector<DomainEntry>& domains);
