// The profile functions over the simulated files. Where Windows and Wine
// read a file differently the simulation reads it as Windows does: only the
// FF FE mark makes a file Unicode (Wine also honours FE FF and the UTF-8
// mark, which Windows takes for letters of the first line). Wine parses the
// whole file and, on a write that changes something, writes the whole file
// again: blank lines vanish and every line is rebuilt from its parts.
// Windows edits the file in place instead; the simulation takes Wine's way
// there, because the same cases also run under Wine and the readings agree.
#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/profile.h"
#include "platform/sim/internal.h"

namespace sim {

namespace {

enum class Encoding { Ansi, Utf16Le };

struct Entry {
    std::u16string name;
    bool hasValue;
    std::u16string value;
};

struct Section {
    std::u16string name;
    std::vector<Entry> entries;
    bool headed = true;  // false for the lines before the first header
};

struct Profile {
    Encoding encoding = Encoding::Ansi;
    std::vector<Section> sections{Section{u"", {}, false}};
};

bool IsBlank(char16_t unit) { return unit == ' ' || (unit >= 0x09 && unit <= 0x0D); }

std::u16string_view TrimLeft(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::u16string_view TrimRight(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string Trim(std::u16string_view text) { return std::u16string(TrimLeft(TrimRight(text))); }

// Names of a file without the mark are the ANSI code page's letters, so
// two UTF-8 names whose bytes differ only in Š/š, Œ/œ or Ž/ž (李 and 杞)
// are one name.
bool SameName(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerUnit(a[i]) != LowerUnit(b[i])) return false;
    return true;
}

std::u16string DecodeFile(const std::string& bytes, Encoding& encoding) {
    if (bytes.compare(0, 2, "\xFF\xFE") != 0) {
        encoding = Encoding::Ansi;
        return DecodeAnsi(bytes);
    }
    encoding = Encoding::Utf16Le;
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text +=
            static_cast<char16_t>(static_cast<unsigned char>(bytes[i + 1]) << 8 | static_cast<unsigned char>(bytes[i]));
    return text;
}

std::string EncodeFile(const std::u16string& text, Encoding encoding) {
    if (encoding == Encoding::Ansi) return EncodeAnsi(text);
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// Names and values end at a NUL, as C strings do.
std::u16string_view UpToNul(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

void ParseLine(Profile& profile, std::u16string_view line) {
    if (line[0] == '[') {
        size_t close = line.rfind(u']');
        if (close != std::u16string_view::npos) {
            profile.sections.push_back({Trim(UpToNul(line.substr(1, close - 1))), {}});
            return;
        }
    }
    std::vector<Entry>& entries = profile.sections.back().entries;
    size_t equals = line.find(u'=');
    std::u16string_view name = equals == std::u16string_view::npos ? line : TrimRight(line.substr(0, equals));
    // A nameless line right after another nameless entry is not kept.
    if (name.empty() && !entries.empty() && entries.back().name.empty()) return;
    if (equals == std::u16string_view::npos) {
        entries.push_back({std::u16string(UpToNul(line)), false, u""});
    } else {
        entries.push_back(
            {std::u16string(UpToNul(name)), true, std::u16string(UpToNul(TrimLeft(line.substr(equals + 1))))});
    }
}

// Every CR and every LF ends a line (a CR LF pair leaves an empty line
// between, which is dropped like any blank line).
Profile ParseProfile(const std::string& bytes) {
    Profile profile;
    std::u16string text = DecodeFile(bytes, profile.encoding);
    std::u16string_view rest = text;
    while (!rest.empty()) {
        size_t end = rest.find_first_of(u"\r\n");
        if (end == std::u16string_view::npos) end = rest.size();
        std::u16string_view line = TrimLeft(TrimRight(rest.substr(0, end)));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (!line.empty()) ParseLine(profile, line);
    }
    return profile;
}

// The last file parsed, kept until the files change, so that a reader
// asking key after key of one large file does not parse it each time.
// Null when there is no such file.
const Profile* ParsedProfile(const std::string& path) {
    static const std::string* cachedBytes = nullptr;
    static unsigned cachedChanges = 0;
    static Profile cached;
    const std::string* bytes = StoredBytes(path);
    if (!bytes) return nullptr;
    if (bytes != cachedBytes || FileChanges() != cachedChanges) {
        cached = ParseProfile(*bytes);
        cachedBytes = bytes;
        cachedChanges = FileChanges();
    }
    return &cached;
}

// A section without a name ("[]") is written without its header, as Wine
// writes it: the line after it can so become the first of the file, and
// when that line begins with FF FE the file reads as Unicode from then on. Windows, editing in place, keeps "[]".
std::string WriteProfile(const Profile& profile) {
    std::u16string text;
    for (const Section& section : profile.sections) {
        if (!section.name.empty()) text += u"[" + section.name + u"]\r\n";
        for (const Entry& entry : section.entries)
            text += entry.name + (entry.hasValue ? u"=" + entry.value : u"") + u"\r\n";
    }
    return EncodeFile(text, profile.encoding);
}

// With duplicates the first section and, in it, the first key win. Names
// are compared trimmed, as they are stored.
int SectionIndex(const Profile& profile, const std::u16string& name) {
    for (size_t i = 0; i < profile.sections.size(); ++i)
        if (profile.sections[i].headed && SameName(profile.sections[i].name, name)) return int(i);
    return -1;
}

int EntryIndex(const Section& section, const std::u16string& name) {
    for (size_t i = 0; i < section.entries.size(); ++i)
        if (SameName(section.entries[i].name, name)) return int(i);
    return -1;
}

const Entry* FindEntry(const Profile& profile, const std::u16string& section, const std::u16string& key) {
    int s = SectionIndex(profile, Trim(section));
    int e = s < 0 ? -1 : EntryIndex(profile.sections[s], Trim(key));
    return e < 0 ? nullptr : &profile.sections[s].entries[e];
}

// A missing key goes at the end of its section, a missing section at the
// end of the file.
Entry& AddEntry(Profile& profile, const std::u16string& section, const std::u16string& key) {
    std::u16string sectionName = Trim(section), keyName = Trim(key);
    int s = SectionIndex(profile, sectionName);
    if (s < 0) {
        profile.sections.push_back({sectionName, {}});
        s = int(profile.sections.size()) - 1;
    }
    std::vector<Entry>& entries = profile.sections[s].entries;
    int e = EntryIndex(profile.sections[s], keyName);
    if (e >= 0) return entries[e];
    entries.push_back({keyName, false, u""});
    return entries.back();
}

// At most size - 1 units; one pair of matching quotes comes off a value
// whose closing quote the buffer reaches.
std::u16string CopyEntry(std::u16string_view value, unsigned size) {
    bool quoted = value.size() > 1 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0];
    if (quoted) value.remove_prefix(1);
    std::u16string copied(value.substr(0, size - 1));
    if (quoted && size >= value.size() && !copied.empty()) copied.pop_back();
    return copied;
}

using Decoder = std::u16string (*)(const std::string&);
using Encoder = std::string (*)(const std::u16string&);

Decoder DecoderFor(Encoding encoding) { return encoding == Encoding::Ansi ? DecodeAnsi : DecodeUtf8; }
Encoder EncoderFor(Encoding encoding) { return encoding == Encoding::Ansi ? EncodeAnsi : EncodeUtf8; }

}  // namespace

}  // namespace sim

namespace platform {

// Names and values are UTF-8 for a file with the FF FE mark, the file's
// own bytes (read as the ANSI code page, which gives every byte back) for
// any other file.
std::string GetPrivateProfileStringW(const std::string& section, const std::string& key,
                                     const std::string& defaultValue, unsigned size, const std::string& path) {
    sim::Log("GetPrivateProfileStringW", section + " " + key + " " + path);
    if (size == 0) return "";
    static const sim::Profile kEmpty;
    const sim::Profile* parsed = sim::ParsedProfile(path);
    const sim::Profile& profile = parsed ? *parsed : kEmpty;
    const auto decode = sim::DecoderFor(profile.encoding);
    const auto encode = sim::EncoderFor(profile.encoding);
    std::u16string fallback = decode(defaultValue);
    while (fallback.size() > 1 && fallback.back() == ' ') fallback.pop_back();
    // A folder cannot be opened at all: the default comes back as it is.
    if (sim::KindOfPath(path) == sim::PathKind::Folder) return encode(fallback.substr(0, size - 1));
    // No key name asks for nothing: the default comes back.
    std::u16string keyName = decode(key);
    const sim::Entry* entry = sim::Trim(keyName).empty() ? nullptr : sim::FindEntry(profile, decode(section), keyName);
    std::u16string_view value = entry && entry->hasValue ? entry->value : fallback;
    return encode(sim::CopyEntry(value, size));
}

bool WritePrivateProfileStringW(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& path) {
    sim::Log("WritePrivateProfileStringW", section + " " + key + " " + path);
    if (!sim::MayWrite(path)) return false;
    const sim::Profile* parsed = sim::ParsedProfile(path);
    sim::Profile profile = parsed ? *parsed : sim::Profile{};
    const auto decode = sim::DecoderFor(profile.encoding);
    sim::Entry& entry = sim::AddEntry(profile, decode(section), decode(key));
    std::u16string newValue(sim::TrimLeft(decode(value)));
    // An unchanged value leaves the file untouched.
    if (entry.hasValue && entry.value == newValue) return true;
    entry.hasValue = true;
    entry.value = newValue;
    return sim::StoreFile(path, sim::WriteProfile(profile));
}

}  // namespace platform
