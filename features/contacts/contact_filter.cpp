#include "features/contacts/contact_filter.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "inject/text_encoding.h"
#include "platform/codepage.h"

namespace {

// Many texts lower-cased in one system call rather than one call per item:
// lower-casing ANSI text maps byte to byte, so every piece keeps its length
// and stays where it was in the joined buffer.
struct LoweredTexts {
    std::string bytes;
    std::vector<size_t> starts;  // one more than there are texts: the end
    std::string_view operator[](size_t i) const {
        return std::string_view(bytes).substr(starts[i], starts[i + 1] - starts[i]);
    }
};

template <class Texts, class Text>
LoweredTexts LowerAll(const Texts& texts, Text text, bool foldAccents) {
    LoweredTexts lowered;
    lowered.starts.reserve(texts.size() + 1);
    for (const auto& item : texts) {
        lowered.starts.push_back(lowered.bytes.size());
        lowered.bytes += text(item);
    }
    lowered.starts.push_back(lowered.bytes.size());
    platform::CharLowerBuffA(lowered.bytes);
    if (foldAccents) lowered.bytes = FoldAccents(lowered.bytes);
    return lowered;
}

const std::string& Itself(const std::string& text) { return text; }
const std::string& KeyOf(const Contact& contact) { return contact.displayKey; }

std::string MatchForm(const std::string& text) {
    std::string lowered(text);
    platform::CharLowerBuffA(lowered);
    return FoldAccents(lowered);
}

}  // namespace

std::vector<size_t> NarrowContactList(const std::vector<std::string>& shownItems,
                                      const std::string& typed) {
    std::string needle = MatchForm(typed);
    LoweredTexts items = LowerAll(shownItems, Itself, true);
    std::vector<size_t> gone;
    for (size_t i = shownItems.size(); i-- > 0;)
        if (items[i].find(needle) == std::string_view::npos) gone.push_back(i);
    return gone;
}

// The list ignores case when it looks an item up, so "shown" is decided on
// lower-cased text, and a hash set keeps the walk linear.
std::vector<std::string> WidenContactList(const std::vector<Contact>& contacts,
                                          const std::string& typed,
                                          const std::vector<std::string>& shownItems) {
    std::string needle = MatchForm(typed);
    LoweredTexts keys = LowerAll(contacts, KeyOf, true);
    std::vector<std::string> candidates;
    for (size_t i = 0; i < contacts.size(); ++i)
        if (keys[i].find(needle) != std::string_view::npos)
            candidates.push_back(Utf8ToAnsi(contacts[i].displayKey));

    LoweredTexts shownLowered = LowerAll(shownItems, Itself, false);
    std::unordered_set<std::string_view> shown;
    shown.reserve(shownItems.size() + candidates.size());
    for (size_t i = 0; i < shownItems.size(); ++i) shown.insert(shownLowered[i]);
    LoweredTexts candidatesLowered = LowerAll(candidates, Itself, false);
    std::vector<std::string> added;
    for (size_t i = 0; i < candidates.size(); ++i)
        if (shown.insert(candidatesLowered[i]).second) added.push_back(candidates[i]);
    return added;
}

std::vector<std::string> MergeInListOrder(const std::vector<std::string>& listOrder,
                                          const std::vector<std::string>& shown,
                                          const std::vector<std::string>& added,
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
    if (std::optional<size_t> found = FindContact(AnsiToUtf8(typed)))
        return {EnterAction::InsertLink, *found};
    if (typed.find(',') == std::string::npos) return {EnterAction::Nothing, 0};
    if (!IsStorableDisplayKey(typed)) return {EnterAction::RefuseNewContact, 0};
    return {EnterAction::NewContact, 0};
}
