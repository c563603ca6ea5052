#include "app/profile_text.h"

#include "platform/codepage.h"
#include "text/encoding.h"

namespace {

// Names and values are decided each on its own, as the readers decide them:
// an editor's "ANSI" line may stand beside the program's UTF-8 ones.
std::string ReadersUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    size_t start = 0;
    bool afterEquals = false;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        const bool lineEnd = i == bytes.size() || bytes[i] == '\r' || bytes[i] == '\n';
        if (!lineEnd && (afterEquals || bytes[i] != '=')) continue;
        text += FileTextToUtf8(std::string(bytes.substr(start, i - start)));
        if (i < bytes.size()) text += bytes[i];
        afterEquals = !lineEnd;
        start = i + 1;
    }
    return text;
}

bool IsBlank(char16_t unit) { return unit == ' ' || (unit >= 0x09 && unit <= 0x0D); }

std::u16string_view TrimLeft(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::u16string_view TrimRight(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string_view Trim(std::u16string_view text) { return TrimLeft(TrimRight(text)); }

// Names and values end at a NUL, as C strings do.
std::u16string UpToNul(std::u16string_view text) { return std::u16string(text.substr(0, text.find(u'\0'))); }

bool SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && platform::EqualIgnoringCase(std::u16string(a), std::u16string(b));
}

// The section name of a header line; false for any other line.
bool IsHeader(std::u16string_view line, std::u16string_view& name) {
    size_t close = line.rfind(u']');
    if (line[0] != '[' || close == std::u16string_view::npos) return false;
    name = line.substr(1, close - 1);
    return true;
}

void AddEntry(std::vector<ProfileEntry>& entries, std::u16string_view line) {
    const size_t equals = line.find(u'=');
    std::u16string_view name = equals == std::u16string_view::npos ? line : TrimRight(line.substr(0, equals));
    // A nameless line right after another nameless entry is not kept.
    if (name.empty() && !entries.empty() && entries.back().name.empty()) return;
    if (equals == std::u16string_view::npos) entries.push_back({UpToNul(line), false, u""});
    else entries.push_back({UpToNul(name), true, UpToNul(TrimLeft(line.substr(equals + 1)))});
}

}  // namespace

FileMark MarkOf(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") return FileMark::Utf16LittleEndian;
    if (bytes.substr(0, 2) == "\xFE\xFF") return FileMark::Utf16BigEndian;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return FileMark::Utf8;
    return FileMark::None;
}

bool HasForeignMark(std::string_view bytes) {
    const FileMark mark = MarkOf(bytes);
    return mark == FileMark::Utf16BigEndian || mark == FileMark::Utf8;
}

std::u16string ProfileUnits(const std::string& bytes) {
    switch (MarkOf(bytes)) {
        case FileMark::Utf16LittleEndian: return Utf16FromBytes(std::string_view(bytes).substr(2), false);
        case FileMark::Utf16BigEndian: return Utf16FromBytes(std::string_view(bytes).substr(2), true);
        case FileMark::Utf8: return Utf8ToUtf16(ReadersUtf8(std::string_view(bytes).substr(3)));
        case FileMark::None: break;
    }
    return AnsiToUtf16(bytes);
}

std::string UnicodeFileOf(const std::string& bytes) {
    const FileMark mark = MarkOf(bytes);
    return "\xFF\xFE" +
           Utf16LittleEndianBytes(mark == FileMark::None ? Utf8ToUtf16(ReadersUtf8(bytes)) : ProfileUnits(bytes));
}

// Every CR and every LF ends a line; blank lines are dropped.
std::vector<ProfileEntry> SectionEntries(const std::u16string& text, std::u16string_view section) {
    std::vector<ProfileEntry> entries;
    const std::u16string_view wanted = Trim(section);
    bool inside = false, found = false;
    std::u16string_view rest = text;
    while (!rest.empty()) {
        size_t end = rest.find_first_of(u"\r\n");
        if (end == std::u16string_view::npos) end = rest.size();
        const std::u16string_view line = Trim(rest.substr(0, end));
        rest.remove_prefix(end < rest.size() ? end + 1 : rest.size());
        if (line.empty()) continue;
        std::u16string_view name;
        if (IsHeader(line, name)) {
            if (inside) return entries;
            // With duplicates the first section of the name is the one read and written.
            inside = !found && SameName(Trim(UpToNul(name)), wanted);
            found = found || inside;
        } else if (inside) {
            AddEntry(entries, line);
        }
    }
    return entries;
}

const ProfileEntry* EntryNamed(const std::vector<ProfileEntry>& entries, std::u16string_view key) {
    const std::u16string_view wanted = Trim(key);
    for (const ProfileEntry& entry : entries)
        if (SameName(entry.name, wanted)) return &entry;
    return nullptr;
}

std::u16string ProfileValue(const std::u16string& text, std::u16string_view section, std::u16string_view key,
                            std::u16string_view fallback, unsigned size) {
    if (size == 0) return u"";
    const std::vector<ProfileEntry> entries = SectionEntries(text, section);
    const ProfileEntry* entry = Trim(key).empty() ? nullptr : EntryNamed(entries, key);
    while (fallback.size() > 1 && fallback.back() == ' ') fallback.remove_suffix(1);
    std::u16string_view value = entry && entry->hasValue ? std::u16string_view(entry->value) : fallback;
    const bool quoted = value.size() > 1 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0];
    if (quoted) value.remove_prefix(1);
    std::u16string copied(value.substr(0, size - 1));
    if (quoted && size >= value.size() && !copied.empty()) copied.pop_back();
    return copied;
}
