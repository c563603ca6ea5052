// The contacts ("[contact_book]") and companies ("[domains]") of the
// configuration file, in memory, and what is made from them.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct DomainEntry {
    std::string acronym;
    std::string companyName;
    std::string emailExtension;  // begins with "@"
    bool operator==(const DomainEntry&) const = default;
};

struct Contact {
    std::string displayKey;   // UTF-8, "Surname, Given name"
    std::string mailtoValue;  // "mailto:" + address
    bool operator==(const Contact&) const = default;
};

// Reloaded at every opening of the contact book.
extern std::vector<DomainEntry> gDomains;
extern std::vector<Contact> gContacts;

void LoadContactBook();
// 0-based index of the contact a typed name (UTF-8) means: the first whose
// display key equals it once both are trimmed of spaces, else the first
// that equals it apart from case.
std::optional<size_t> FindContact(const std::string& typedKeyUtf8);
// The address of a new contact from the name as typed (UTF-8): plain ASCII,
// the accents folded, Cyrillic and Greek as passports write them, and what
// has no Latin form dropped. Empty when the surname or the given name leaves
// no letter or digit: the user is asked for the part before the "@".
std::string ComposeAddress(const std::string& typedKeyUtf8, const std::string& emailExtension);
// What became of a new entry. It is never written over another: the
// profile functions would take any name of the section they match to the
// new key (in a file without the FF FE mark, UTF-8 names whose bytes differ
// only in the case of a Windows-1252 letter, such as 李 and 杞) for that
// key, and replace its line.
enum class StoreOutcome {
    Written,
    NotWritten,       // the file did not take it (read-only, a folder, ...)
    KeyTaken,         // another line of the section holds the key: `holder`
    MarkNotHonoured,  // a file with a mark other than FF FE that could not
                      // be made Unicode: read, never written
};
struct StoreResult {
    StoreOutcome outcome;
    std::string holder;  // UTF-8, the name of the line that holds the key
    bool operator==(const StoreResult&) const = default;
};

// A company is added to gDomains even when it was not written, so the
// contact being made can still use it; its 1-based position is then the
// length of gDomains. A key that is not ASCII first makes a file without a
// mark Unicode (a backup kept), where such keys cannot collide.
StoreResult AddContact(const std::string& displayKeyUtf8, const std::string& address);
StoreResult AddDomainEntry(const std::string& acronym, const std::string& companyName,
                           const std::string& emailExtension);
std::string BuildContactLink(const std::string& displayKeyUtf8, const std::string& mailtoValue);

// The section reader, on file content already in memory (for tests and fuzzing).
void ParseContactBook(const std::string& fileBytes);

// The same three, on a configuration file named by its path.
void LoadContactBookFrom(const std::string& path);
StoreResult AddContactTo(const std::string& path, const std::string& displayKeyUtf8, const std::string& address);
StoreResult AddDomainEntryTo(const std::string& path, const std::string& acronym, const std::string& companyName,
                             const std::string& emailExtension);

// False when a typed name could not be written as a key of the contact
// section and read back as the same contact: it holds "=", "[", "]" or a
// control character. The contact book refuses to store such a name.
bool IsStorableDisplayKey(const std::string& typed);
