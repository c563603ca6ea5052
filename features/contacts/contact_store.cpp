#include "features/contacts/contact_store.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "app/configuration_file.h"
#include "app/profile_text.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "text/encoding.h"
#include "text/folding.h"
#include "text/trim.h"

std::vector<DomainEntry> gDomains;
std::vector<Contact> gContacts;

namespace {

// Used when the file names no company at all; held in memory only.
const DomainEntry kBuiltInDomain = {"default", "Microsoft", "@microsoft.com"};

constexpr std::string_view kDomainsHeader = "[domains]";
constexpr std::string_view kContactsHeader = "[contact_book]";

bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

// Each text on its own: a file saved as "ANSI" by an editor may hold
// Windows-1252 names beside the UTF-8 ones the program wrote.
std::string FileText(std::string_view text) { return FileTextToUtf8(std::string(text)); }

// Files edited on Windows end lines in CR LF, copies from elsewhere in LF,
// and old Mac editors in a lone CR: all three end a line. A line end at the
// very end of the file does not open one more, empty, line.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

bool IsHeader(std::string_view line, std::string_view header) {
    std::string_view trimmed = TrimSpaces(line);
    // Lower-casing keeps the length of single-byte text and leaves the
    // brackets alone, so only lines of this shape need the system call.
    if (trimmed.size() != header.size() || trimmed.front() != '[' || trimmed.back() != ']') return false;
    std::string lowered(trimmed);
    platform::CharLowerBuffA(lowered);
    return lowered == header;
}

// Takes the line when it is a company and returns the text the end of the
// section is judged on.
std::string_view ExamineDomainLine(std::string_view line) {
    size_t equals = line.find('=');
    if (equals == std::string_view::npos || !Holds(line, '@')) return line;
    std::string_view value = TrimSpaces(line.substr(equals + 1));
    size_t at = value.find('@');
    // An "@" in the key alone leaves no extension to split the value at.
    if (at == std::string_view::npos) return line;
    gDomains.push_back({FileText(TrimSpaces(line.substr(0, equals))), FileText(TrimSpaces(value.substr(0, at))),
                        FileText(TrimSpaces(value.substr(at)))});
    return value;
}

std::string_view ExamineContactLine(std::string_view line) {
    size_t equals = line.find('=');
    if (equals != std::string_view::npos && Holds(line, ',') && Holds(line, '@'))
        gContacts.push_back(
            {FileText(TrimSpaces(line.substr(0, equals))), FileText(TrimSpaces(line.substr(equals + 1)))});
    return line;
}

// From the first line that is the header up to and including the first
// examined line holding both brackets, or the last line of the file.
void ReadSection(const std::vector<std::string_view>& lines, std::string_view header,
                 std::string_view (*examine)(std::string_view)) {
    size_t i = 0;
    while (i < lines.size() && !IsHeader(lines[i], header)) ++i;
    for (++i; i < lines.size(); ++i) {
        std::string_view judged = examine(lines[i]);
        if (Holds(judged, '[') && Holds(judged, ']')) return;
    }
}

// The link is pasted as HTML: names and addresses holding markup characters
// must come out as text, not as tags or a broken attribute.
std::string EscapeHtml(std::string_view text, bool inAttribute) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '\'':
                if (inAttribute) out += "&#39;";
                else out += c;
                break;
            default: out += c;
        }
    }
    return out;
}

// The acronym printed before a contact's name, from its address's domain.
std::string LinkPrefix(const std::string& mailtoValue) {
    size_t at = mailtoValue.find('@');
    std::string domain = at == std::string::npos ? std::string() : mailtoValue.substr(at);
    for (const DomainEntry& entry : gDomains) {
        if (entry.emailExtension != domain) continue;
        return entry.acronym == "default" ? std::string() : entry.acronym + "\\";
    }
    return {};
}

// Notepad saves "Unicode" as UTF-16 and "UTF-8" with a byte-order mark; the
// profile functions read and write such files, so the contact book reads
// them too, as the UTF-8 a file without a mark holds.
std::string AsUtf8Text(const std::string& bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return bytes.substr(3);
    const bool little = bytes.rfind("\xFF\xFE", 0) == 0, big = bytes.rfind("\xFE\xFF", 0) == 0;
    if (!little && !big) return bytes;
    return Utf16ToUtf8(Utf16FromBytes(std::string_view(bytes).substr(2), big));
}

}  // namespace

void ParseContactBook(const std::string& fileBytes) {
    gDomains.clear();
    gContacts.clear();
    const std::string text = AsUtf8Text(fileBytes);
    std::vector<std::string_view> lines = SplitLines(text);
    ReadSection(lines, kDomainsHeader, ExamineDomainLine);
    if (gDomains.empty()) gDomains.push_back(kBuiltInDomain);
    ReadSection(lines, kContactsHeader, ExamineContactLine);
}

// A file that cannot be read reads as an empty one: no contacts, and the
// built-in company.
void LoadContactBookFrom(const std::string& path) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) bytes.clear();
    ParseContactBook(bytes);
}

void LoadContactBook() { LoadContactBookFrom(ConfigurationPath()); }

std::optional<size_t> FindContact(const std::string& typedKeyUtf8) {
    const std::string_view wanted = TrimSpaces(typedKeyUtf8);
    for (size_t i = 0; i < gContacts.size(); ++i)
        if (TrimSpaces(gContacts[i].displayKey) == wanted) return i;
    // The profile functions take keys of other case for the same key: a
    // second contact of that name would overwrite the first one's address.
    const std::string lowered = LowerCaseForm(wanted);
    for (size_t i = 0; i < gContacts.size(); ++i)
        if (LowerCaseForm(TrimSpaces(gContacts[i].displayKey)) == lowered) return i;
    return std::nullopt;
}

// "Surname, Given" becomes "Given.Surname" + extension. The dialogs only ask
// for names with a comma; without one the whole name is the address part.
// A part with no letter or digit left ("李", or nothing after the comma)
// would give an address such as ".@acme.com", one for every such name.
std::string ComposeAddress(const std::string& typedKeyUtf8, const std::string& emailExtension) {
    const std::string plain = PlainLatin(typedKeyUtf8);
    const std::string_view view(plain);
    const size_t comma = view.find(',');
    std::vector<std::string_view> parts = {TrimSpaces(view)};
    if (comma != std::string::npos) parts = {TrimSpaces(view.substr(comma + 1)), TrimSpaces(view.substr(0, comma))};
    std::string address;
    for (std::string_view part : parts) {
        if (std::none_of(part.begin(), part.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            return "";
        address.append(address.empty() ? "" : ".").append(part);
    }
    return address + emailExtension;
}

std::string BuildContactLink(const std::string& displayKeyUtf8, const std::string& mailtoValue) {
    std::string_view name(displayKeyUtf8);
    while (!name.empty() && name.back() == ',') name.remove_suffix(1);
    std::string text = "@";
    text += LinkPrefix(mailtoValue);
    text += TrimSpaces(name);
    return "<a href='" + EscapeHtml(mailtoValue, true) + "'>" + EscapeHtml(text, false) + "</a>";
}

bool IsStorableDisplayKey(const std::string& typed) {
    for (char c : typed) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '=' || c == '[' || c == ']' || byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The name, as the readers show it, of the line of the section that the
// profile functions would take for the key; none when no line is.
std::optional<std::string> HolderOfKey(const std::string& bytes, const std::string& section,
                                       const std::string& keyUtf8) {
    const bool unicode = MarkOf(bytes) == FileMark::Utf16LittleEndian;
    const auto units = unicode ? Utf8ToUtf16 : AnsiToUtf16;
    const std::vector<ProfileEntry> entries = SectionEntries(ProfileUnits(bytes), units(section));
    const ProfileEntry* holder = EntryNamed(entries, units(keyUtf8));
    if (!holder) return std::nullopt;
    return FileTextToUtf8((unicode ? Utf16ToUtf8 : Utf16ToAnsi)(holder->name));
}

// A file the profile functions would misread is made Unicode first, and so
// is a file without a mark that is to take a key beyond ASCII: there its
// bytes would be ANSI letters, matched without regard to their case. If
// that fails the plain file is written all the same: the check below still
// keeps every entry.
StoreResult StoreEntry(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
    std::string bytes;
    const bool read = platform::ReadWholeFile(path, bytes);
    if (HasForeignMark(bytes) && !MakeConfigurationUnicode(path, bytes)) return {StoreOutcome::MarkNotHonoured, ""};
    if (MarkOf(bytes) == FileMark::None && !IsAscii(key) && (read || !platform::PathExists(path)))
        MakeConfigurationUnicode(path, bytes);
    if (std::optional<std::string> holder = HolderOfKey(bytes, section, key)) return {StoreOutcome::KeyTaken, *holder};
    if (!platform::WritePrivateProfileStringW(section, key, value, path)) return {StoreOutcome::NotWritten, ""};
    return {StoreOutcome::Written, ""};
}

}  // namespace

// What the program writes is UTF-8: a text handed over in Windows-1252 (an
// ANSI dialog's) is converted by the same rule the reading applies.
StoreResult AddContactTo(const std::string& path, const std::string& displayKeyUtf8, const std::string& address) {
    return StoreEntry(path, "contact_book", FileTextToUtf8(displayKeyUtf8), FileTextToUtf8("mailto:" + address));
}

StoreResult AddContact(const std::string& displayKeyUtf8, const std::string& address) {
    return AddContactTo(ConfigurationPath(), displayKeyUtf8, address);
}

StoreResult AddDomainEntryTo(const std::string& path, const std::string& acronym, const std::string& companyName,
                             const std::string& emailExtension) {
    const DomainEntry entry = {FileTextToUtf8(acronym), FileTextToUtf8(companyName), FileTextToUtf8(emailExtension)};
    gDomains.push_back(entry);
    return StoreEntry(path, "domains", entry.acronym, entry.companyName + entry.emailExtension);
}

StoreResult AddDomainEntry(const std::string& acronym, const std::string& companyName,
                           const std::string& emailExtension) {
    return AddDomainEntryTo(ConfigurationPath(), acronym, companyName, emailExtension);
}
