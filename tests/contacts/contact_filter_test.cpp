#include "features/contacts/contact_filter.h"

#include <gtest/gtest.h>

#include "platform/sim/sim.h"

namespace {

class ContactFilterTest : public testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
};

// Shown items are the keys as stored, UTF-8.
const std::vector<std::string> kShown = {"Doe, John", "Doe, Jane", "Martin, Paul", "Zélie, Ana", "Çà, Öz"};

TEST_F(ContactFilterTest, NarrowingDeletesNonMatchesLastFirst) {
    const struct {
        std::string typed;
        std::vector<size_t> deleted;
    } cases[] = {
        {"ze", {4, 2, 1, 0}},
        {"lie", {4, 2, 1, 0}},
        {"ZE", {4, 2, 1, 0}},
        {"zÉ", {4, 2, 1, 0}},  // folded and lowered alike
        {"doe", {4, 3, 2}},
        {"j", {4, 3, 2}},
        {"ca, o", {3, 2, 1, 0}},  // Çà, Öz
        {"à", {0}},  // à matches every plain "a"
        {"n, ", {4, 3, 1, 0}},
        {"e, j", {4, 3, 2}},
        {"xyz", {4, 3, 2, 1, 0}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(NarrowContactList(kShown, c.typed), c.deleted) << c.typed;
}

TEST_F(ContactFilterTest, NarrowingAnEmptyListDeletesNothing) {
    EXPECT_TRUE(NarrowContactList({}, "a").empty());
}

const std::vector<Contact> kContacts = {
    {"Doe, John", "mailto:John.Doe@yahoo.com"},
    {"Doe, Jane", "mailto:Jane.Doe@amazon.com"},
    {"Zélie, Ana", "mailto:Ana.Zelie@x.com"},
    {"Doe, John", "mailto:other@x.com"},
    {"Martin, Paul", "mailto:Paul.Martin@microsoft.com"},
};

TEST_F(ContactFilterTest, WideningAddsMissingMatchesOnceInContactOrder) {
    const struct {
        std::string typed;
        std::vector<std::string> shown;
        std::vector<std::string> added;
    } cases[] = {
        {"doe", {}, {"Doe, John", "Doe, Jane"}},
        {"doe", {"Doe, John"}, {"Doe, Jane"}},
        // The list ignores case when it looks an item up.
        {"doe", {"DOE, JANE", "doe, john"}, {}},
        {"", {"Martin, Paul"}, {"Doe, John", "Doe, Jane", "Zélie, Ana"}},
        // Folded as narrowing folds: what "ze" kept, "ze" brings back.
        {"ze", {}, {"Zélie, Ana"}},
        {"ZÉ", {}, {"Zélie, Ana"}},
        {"lie", {}, {"Zélie, Ana"}},
        {"lie", {"ZÉLIE, ANA"}, {}},
        {"lie", {"Zelie, Ana"}, {"Zélie, Ana"}},  // another name, not the same in other case
        {"PAUL", {}, {"Martin, Paul"}},
        {"nobody", {"Doe, John"}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WidenContactList(kContacts, c.typed, c.shown), c.added) << c.typed;
}

TEST_F(ContactFilterTest, WideningAnEmptyBookAddsNothing) {
    EXPECT_TRUE(WidenContactList({}, "", {}).empty());
}

TEST_F(ContactFilterTest, MergeFollowsTheListsOwnOrderAndSetsAsideTheRest) {
    // Not alphabetical on purpose: the list's order is whatever it sorted.
    const std::vector<std::string> order = {"b", "A", "a", "c", "d", "d"};
    const struct {
        const char* name;
        std::vector<std::string> shown, added, merged, unplaced;
    } cases[] = {
        {"shown and added interleave", {"c"}, {"d", "b"}, {"b", "c", "d"}, {}},
        {"nothing", {}, {}, {}, {}},
        {"duplicates kept as many times as asked", {"d"}, {"d"}, {"d", "d"}, {}},
        {"more than the order holds", {"d", "d"}, {"d"}, {"d", "d"}, {"d"}},
        {"case is told apart", {"a"}, {"A"}, {"A", "a"}, {}},
        {"a contact stored since", {"x", "c"}, {"b", "y"}, {"b", "c"}, {"x", "y"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> unplaced = {"stale"};
        EXPECT_EQ(MergeInListOrder(order, c.shown, c.added, unplaced), c.merged) << c.name;
        EXPECT_EQ(unplaced, c.unplaced) << c.name;
    }
}

TEST_F(ContactFilterTest, HintOnlyWhenNothingIsLeft) {
    const struct {
        size_t count;
        std::string typed;
        std::optional<std::string> hint;
    } cases[] = {
        {0, "doe", "For a new contact: type \"Name, Surname\""},
        {0, "", "For a new contact: type \"Name, Surname\""},
        {0, "Doe, Max", "Hit enter to create new contact"},
        {0, ",", "Hit enter to create new contact"},
        {1, "Doe, Max", std::nullopt},
        {25, "d", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ContactListHint(c.count, c.typed), c.hint) << c.typed;
}

TEST_F(ContactFilterTest, EnterDecision) {
    gContacts = kContacts;
    const struct {
        std::string typed;
        EnterAction action;
        size_t contact;
    } cases[] = {
        {"", EnterAction::Nothing, 0},
        {"Doe, John", EnterAction::InsertLink, 0},
        {"Martin, Paul", EnterAction::InsertLink, 4},
        {"Zélie, Ana", EnterAction::InsertLink, 2},
        {"zélie, ana", EnterAction::InsertLink, 2},
        {"Doe", EnterAction::Nothing, 0},
        {"Nobody", EnterAction::Nothing, 0},
        // The same name in other case or between spaces is that contact:
        // storing it would overwrite the stored one's address.
        {"doe, john", EnterAction::InsertLink, 0},
        {" Doe, John ", EnterAction::InsertLink, 0},
        {"Zelie, Ana", EnterAction::NewContact, 0},
        {"Roe, Ann", EnterAction::NewContact, 0},
        {",", EnterAction::NewContact, 0},
        {"Roe=1, Ann", EnterAction::RefuseNewContact, 0},
        {"[Roe], Ann", EnterAction::RefuseNewContact, 0},
        {"Roe, Ann\x01", EnterAction::RefuseNewContact, 0},
    };
    for (const auto& c : cases) {
        EnterDecision decision = DecideEnter(c.typed);
        EXPECT_EQ(decision.action, c.action) << c.typed;
        if (c.action == EnterAction::InsertLink) {
            EXPECT_EQ(decision.contact, c.contact) << c.typed;
        }
    }
}

TEST_F(ContactFilterTest, EnterOnEmptyBook) {
    gContacts.clear();
    EXPECT_EQ(DecideEnter("Doe, John").action, EnterAction::NewContact);
    EXPECT_EQ(DecideEnter("Doe").action, EnterAction::Nothing);
}

}  // namespace
