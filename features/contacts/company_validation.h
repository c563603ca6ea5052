// The New company dialog's check of its three fields.
#pragma once

#include <string>

// The field to correct, named by its control id; None when all three hold.
enum class CompanyField { None = 0, Acronym = 201, CompanyName = 202, EmailExtension = 203 };

struct CompanyInput {
    CompanyField failed;         // the first field, in dialog order, that fails
    std::string acronym;         // trimmed
    std::string companyName;     // trimmed
    std::string emailExtension;  // "@" + the domain, for a valid input
};

CompanyInput ValidateNewCompany(const std::string& acronymText, const std::string& companyText,
                                const std::string& extensionText);
