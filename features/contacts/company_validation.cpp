#include "features/contacts/company_validation.h"

#include "text/folding.h"
#include "text/trim.h"

namespace {

bool HoldsAny(const std::string& text, const char* bytes) { return text.find_first_of(bytes) != std::string::npos; }

bool HoldsControl(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

// The company is stored as the line acronym=name@domain and must read back
// as the same company: the acronym obeys the rules of any key, the name may
// not hold the "@" that separates it from the extension, and no part may
// hold a bracket that would end the section or a control character that
// would break the line.
bool ReadsBackAsName(const std::string& name) { return !HoldsAny(name, "@[]") && !HoldsControl(name); }

bool IsDomain(const std::string& domain) {
    size_t dot = domain.find('.');
    return dot != std::string::npos && dot != 0 && dot != domain.size() - 1 && !HoldsAny(domain, "[]") &&
           !HoldsControl(domain);
}

bool IsTaken(const std::string& acronym, const std::vector<DomainEntry>& domains) {
    const std::string lowered = LowerCaseForm(acronym);
    for (const DomainEntry& entry : domains)
        if (LowerCaseForm(entry.acronym) == lowered) return true;
    return false;
}

}  // namespace

CompanyInput ValidateNewCompany(const std::string& acronymText, const std::string& companyText,
                                const std::string& extensionText, const std::vector<DomainEntry>& domains) {
    CompanyInput input{
        CompanyField::None, std::string(TrimSpaces(acronymText)), std::string(TrimSpaces(companyText)), {}};
    std::string domain(TrimSpaces(extensionText));
    domain.erase(0, domain.find_first_not_of('@'));
    if (input.acronym.empty() || !IsStorableDisplayKey(input.acronym) || IsTaken(input.acronym, domains))
        input.failed = CompanyField::Acronym;
    else if (input.companyName.empty() || !ReadsBackAsName(input.companyName)) input.failed = CompanyField::CompanyName;
    else if (!IsDomain(domain)) input.failed = CompanyField::EmailExtension;
    else input.emailExtension = "@" + domain;
    return input;
}
