#include "features/contacts/company_validation.h"

#include <gtest/gtest.h>

namespace {

struct ValidationCase {
    const char* name;
    std::string acronym, company, extension;
    CompanyField failed;
    std::string cleanAcronym, cleanCompany, cleanExtension;
};

const ValidationCase kCases[] = {
    {"Plain", "Y!", "Yahoo", "@yahoo.com", CompanyField::None, "Y!", "Yahoo", "@yahoo.com"},
    {"SpacesTrimmed", "  Y!  ", "  Yahoo France ", "  @yahoo.fr  ", CompanyField::None, "Y!",
     "Yahoo France", "@yahoo.fr"},
    {"TabInAcronymRefused", "\tY!", "Yahoo", "@yahoo.fr", CompanyField::Acronym, "\tY!", "Yahoo", ""},
    {"TwoLeadingAtsGiveOne", "G", "Google", "@@gmail.com", CompanyField::None, "G", "Google",
     "@gmail.com"},
    {"NoAtGetsOne", "G", "Google", "gmail.com", CompanyField::None, "G", "Google", "@gmail.com"},
    {"AtsInsideStay", "G", "Google", "@mail@gmail.com", CompanyField::None, "G", "Google",
     "@mail@gmail.com"},
    {"DotSecondToLastIsFine", "G", "Google", "@g.c", CompanyField::None, "G", "Google", "@g.c"},
    {"LaterDotsMayEnd", "G", "Google", "@g.co.", CompanyField::None, "G", "Google", "@g.co."},
    {"NoDotRefused", "G", "Google", "@gmail", CompanyField::EmailExtension, "G", "Google", ""},
    {"DotFirstAfterAtsRefused", "G", "Google", "@@.gmail.com", CompanyField::EmailExtension, "G",
     "Google", ""},
    {"DotLastRefused", "G", "Google", "gmail.", CompanyField::EmailExtension, "G", "Google", ""},
    {"OnlyAtsRefused", "G", "Google", "@@", CompanyField::EmailExtension, "G", "Google", ""},
    {"EmptyExtensionRefused", "G", "Google", "   ", CompanyField::EmailExtension, "G", "Google", ""},
    {"EmptyAcronymFirst", "   ", "", "", CompanyField::Acronym, "", "", ""},
    {"EmptyCompanyBeforeExtension", "G", "  ", "x", CompanyField::CompanyName, "G", "", ""},
    // A company must read back as the same company from its stored line.
    {"AcronymWithEqualsRefused", "G=1", "Google", "@g.com", CompanyField::Acronym, "G=1", "Google", ""},
    {"AcronymWithBracketRefused", "[G]", "Google", "@g.com", CompanyField::Acronym, "[G]", "Google", ""},
    {"CompanyWithAtRefused", "G", "Goo@gle", "@g.com", CompanyField::CompanyName, "G", "Goo@gle", ""},
    {"CompanyWithBracketRefused", "G", "Google [old]", "@g.com", CompanyField::CompanyName, "G",
     "Google [old]", ""},
    {"ExtensionWithBracketRefused", "G", "Google", "@g[1].com", CompanyField::EmailExtension, "G",
     "Google", ""},
    {"ExtensionWithControlRefused", "G", "Google", "@g.com\x7F", CompanyField::EmailExtension, "G",
     "Google", ""},
    // The file would take an acronym of other case for the same key.
    {"TakenAcronymRefused", " DEFAULT ", "O", "@o.com", CompanyField::Acronym, "DEFAULT", "O", ""},
    {"TakenGreekAcronymRefused", "δεη", "O", "@o.com", CompanyField::Acronym, "δεη", "O", ""},
    {"AcronymWithAnAccentMoreIsNew", "DÉFAULT", "O", "@o.com", CompanyField::None, "DÉFAULT", "O", "@o.com"},
};

const std::vector<DomainEntry> kDomains = {{"default", "Microsoft", "@microsoft.com"}, {"ΔΕΗ", "ΔΕΗ", "@dei.gr"}};

void PrintTo(const ValidationCase& c, std::ostream* os) { *os << c.name; }

class ValidateNewCompanyTest : public testing::TestWithParam<ValidationCase> {};

TEST_P(ValidateNewCompanyTest, FirstFailingFieldOrCleanValues) {
    const ValidationCase& c = GetParam();
    CompanyInput input = ValidateNewCompany(c.acronym, c.company, c.extension, kDomains);
    EXPECT_EQ(input.failed, c.failed);
    EXPECT_EQ(input.acronym, c.cleanAcronym);
    EXPECT_EQ(input.companyName, c.cleanCompany);
    EXPECT_EQ(input.emailExtension, c.cleanExtension);
}

INSTANTIATE_TEST_SUITE_P(Cases, ValidateNewCompanyTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValidateNewCompany, FailedFieldIsTheControlId) {
    EXPECT_EQ(static_cast<int>(ValidateNewCompany("", "", "", {}).failed), 201);
    EXPECT_EQ(static_cast<int>(ValidateNewCompany("a", "", "", {}).failed), 202);
    EXPECT_EQ(static_cast<int>(ValidateNewCompany("a", "b", "", {}).failed), 203);
}

}  // namespace
