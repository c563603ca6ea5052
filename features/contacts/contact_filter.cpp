#include "features/contacts/contact_filter.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "text/folding.h"

namespace {

// Many texts folded into one buffer rather than one string each: at tens of
// thousands of contacts the allocations would cost more than the folding.
struct FoldedTexts {
    std::string bytes;
    std::vector<size_t> starts;  // one more than there are texts: the end
    std::string_view operator[](size_t i) const {
        return std::string_view(bytes).substr(starts[i], starts[i + 1] - starts[i]);
    }
};

template <class Texts, class Text, class Fold>
FoldedTexts FoldAll(const Texts& texts, Text text, Fold fold) {
    FoldedTexts folded;
    folded.starts.reserve(texts.size() + 1);
    size_t bytes = 0;
    for (const auto& item : texts) bytes += text(item).size();
    folded.bytes.reserve(bytes + bytes / 8);
    for (const auto& item : texts) {
        folded.starts.push_back(folded.bytes.size());
        fold(folded.bytes, text(item));
    }
    folded.starts.push_back(folded.bytes.size());
    return folded;
}

const std::string& Itself(const std::string& text) { return text; }
const std::string& KeyOf(const Contact& contact) { return contact.displayKey; }

}  // namespace

std::vector<size_t> NarrowContactList(const std::vector<std::string>& shownItems, const std::string& typed) {
    std::string needle = MatchForm(typed);
    FoldedTexts items = FoldAll(shownItems, Itself, AppendMatchForm);
    std::vector<size_t> gone;
    for (size_t i = shownItems.size(); i-- > 0;)
        if (items[i].find(needle) == std::string_view::npos) gone.push_back(i);
    return gone;
}

// Widening must keep what narrowing keeps, so both fold the same way; the
// list ignores case when it looks an item up, so "shown" is decided on
// lower-cased text, and a hash set keeps the walk linear.
std::vector<std::string> WidenContactList(const std::vector<Contact>& contacts, const std::string& typed,
                                          const std::vector<std::string>& shownItems) {
    std::string needle = MatchForm(typed);
    FoldedTexts keys = FoldAll(contacts, KeyOf, AppendMatchForm);
    std::vector<const std::string*> candidates;
    for (size_t i = 0; i < contacts.size(); ++i)
        if (keys[i].find(needle) != std::string_view::npos) candidates.push_back(&contacts[i].displayKey);
    if (candidates.empty()) return {};

    FoldedTexts shownLowered = FoldAll(shownItems, Itself, AppendLowerCaseForm);
    std::unordered_set<std::string_view> shown;
    shown.reserve(shownItems.size() + candidates.size());
    for (size_t i = 0; i < shownItems.size(); ++i) shown.insert(shownLowered[i]);
    FoldedTexts candidatesLowered = FoldAll(
        candidates, [](const std::string* key) -> const std::string& { return *key; }, AppendLowerCaseForm);
    std::vector<std::string> added;
    for (size_t i = 0; i < candidates.size(); ++i)
        if (shown.insert(candidatesLowered[i]).second) added.push_back(*candidates[i]);
    return added;
}

std::vector<std::string> MergeInListOrder(const std::vector<std::string>& listOrder,
                                          const std::vector<std::string>& shown, const std::vector<std::string>& added,
                                          std::vector<std::string>& unplaced) {
    std::unordered_map<std::string_view, size_t> wanted;
    wanted.reserve(shown.size() + added.size());
    for (const std::string& item : shown) ++wanted[item];
    for (const std::string& item : added) ++wanted[item];
    std::vector<std::string> merged;
    merged.reserve(shown.size() + added.size());
    for (const std::string& item : listOrder) {
        auto found = wanted.find(item);
        if (found == wanted.end() || found->second == 0) continue;
        --found->second;
        merged.push_back(item);
    }
    unplaced.clear();
    for (const auto* items : {&shown, &added})
        for (const std::string& item : *items) {
            auto found = wanted.find(item);
            if (found->second == 0) continue;
            --found->second;
            unplaced.push_back(item);
        }
    return merged;
}

std::optional<std::string> ContactListHint(size_t itemCount, const std::string& typed) {
    if (itemCount > 0) return std::nullopt;
    if (typed.find(',') != std::string::npos) return "Hit enter to create new contact";
    return "For a new contact: type \"Name, Surname\"";
}

EnterDecision DecideEnter(const std::string& typed) {
    if (typed.empty()) return {EnterAction::Nothing, 0};
    if (std::optional<size_t> found = FindContact(typed)) return {EnterAction::InsertLink, *found};
    if (typed.find(',') == std::string::npos) return {EnterAction::Nothing, 0};
    if (!IsStorableDisplayKey(typed)) return {EnterAction::RefuseNewContact, 0};
    return {EnterAction::NewContact, 0};
}
