// Arbitrary profile file bytes through the simulated profile functions.
// Reading any section and key answers within the buffer, and for a file
// without the FF FE mark (the only one Windows honours: a UTF-8 mark or
// FE FF is letters of the first line) exactly what a plain reading of the
// profile rules gives, and for any file what the program's own reading of
// those rules gives; writing a key and reading it back gives the value,
// and leaves every other key as it was.
//
// Input: the buffer size (one byte), the length of what is asked (one
// byte), the asked text "section|key|default|value to write", then the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/profile_text.h"
#include "platform/codepage.h"
#include "platform/profile.h"
#include "platform/sim/sim.h"
#include "text/encoding.h"

namespace {

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

const char kPath[] = "C:\\Vantor\\Vantor.ini";

// ---- The profile rules, read plainly, for a file of Windows-1252 bytes ----

bool IsBlank(char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

std::string TrimLeft(std::string text) {
    text.erase(0, std::find_if_not(text.begin(), text.end(), IsBlank) - text.begin());
    return text;
}

std::string TrimRight(std::string text) {
    while (!text.empty() && IsBlank(text.back())) text.pop_back();
    return text;
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

// Windows-1252 lower case: ASCII, the Latin-1 capitals, and the four
// capitals of 0x80..0x9F.
unsigned char LowerByte(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 0x10;
    if (c == 0x9F) return 0xFF;
    return c;
}

unsigned char UpperByte(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
    if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 0x10;
    if (c == 0xFF) return 0x9F;
    return c;
}

// Capitals made small and small letters capitals: the same name.
std::string SwappedCase(std::string text) {
    for (char& c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        c = static_cast<char>(LowerByte(byte) != byte ? LowerByte(byte) : UpperByte(byte));
    }
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerByte(a[i]) != LowerByte(b[i])) return false;
    return true;
}

struct Line {
    bool header;
    std::string name;  // section name, or key
    bool hasValue;
    std::string value;
};

// Every CR and every LF ends a line. Blank lines are dropped.
std::vector<std::string> ProfileLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = Trim(bytes.substr(start, end - start));
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Names and values are C strings: they end at a NUL.
std::string BeforeNul(const std::string& text) { return text.substr(0, text.find('\0')); }

// A line "=..." right after an entry without a name is not kept.
bool Nameless(const std::vector<Line>& parsed, const std::string& name) {
    return name.empty() && !parsed.empty() && !parsed.back().header && parsed.back().name.empty();
}

std::vector<Line> ParseLines(const std::string& bytes) {
    std::vector<Line> parsed;
    for (const std::string& line : ProfileLines(bytes)) {
        size_t close = line.rfind(']');
        size_t equals = line.find('=');
        std::string name = TrimRight(line.substr(0, equals));
        if (line[0] == '[' && close != std::string::npos)
            parsed.push_back({true, Trim(BeforeNul(line.substr(1, close - 1))), false, ""});
        else if (equals == std::string::npos)
            parsed.push_back({false, BeforeNul(line), false, ""});
        else if (!Nameless(parsed, name))
            parsed.push_back({false, BeforeNul(name), true, BeforeNul(TrimLeft(line.substr(equals + 1)))});
    }
    return parsed;
}

// The first entry of the first section of that name; null when there is
// none, and for the lines before the first header.
const Line* Lookup(const std::vector<Line>& lines, const std::string& section, const std::string& key) {
    size_t i = 0;
    while (i < lines.size() && !(lines[i].header && SameName(lines[i].name, section))) ++i;
    for (++i; i < lines.size() && !lines[i].header; ++i)
        if (SameName(lines[i].name, key)) return &lines[i];
    return nullptr;
}

// One pair of quotes comes off a value whose closing quote the buffer
// reaches; at most size - 1 bytes are copied.
std::string CopyValue(std::string value, unsigned size) {
    bool quoted = value.size() > 1 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0];
    if (quoted) value.erase(0, 1);
    std::string copied = value.substr(0, size - 1);
    if (quoted && size >= value.size() && !copied.empty()) copied.pop_back();
    return copied;
}

std::string ExpectedRead(const std::vector<Line>& lines, const std::string& section,
                         const std::string& key, std::string fallback, unsigned size) {
    if (size == 0) return "";
    while (fallback.size() > 1 && fallback.back() == ' ') fallback.pop_back();
    const Line* entry = Trim(key).empty() ? nullptr : Lookup(lines, Trim(section), Trim(key));
    return CopyValue(entry && entry->hasValue ? entry->value : fallback, size);
}

// ---- The input --------------------------------------------------------

bool HasByteOrderMark(const std::string& bytes) { return bytes.compare(0, 2, "\xFF\xFE") == 0; }

unsigned BufferSize(uint8_t selector) {
    return selector < 200 ? selector : 260 + (selector - 200) * 50u;
}

std::vector<std::string> SplitAsked(const std::string& asked) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t bar = asked.find('|', start);
        if (bar == std::string::npos) break;
        // The real functions take C strings: what follows a NUL never arrives.
        parts.push_back(BeforeNul(asked.substr(start, bar - start)));
        start = bar + 1;
    }
    parts.push_back(BeforeNul(asked.substr(std::min(start, asked.size()))));
    parts.resize(4);
    return parts;
}

std::string Read(const std::string& section, const std::string& key, const std::string& fallback,
                 unsigned size) {
    return platform::GetPrivateProfileStringW(section, key, fallback, size, kPath);
}

// The buffer counts UTF-16 characters: a byte each in a file without the
// mark, and for a file with it, whose text comes back in UTF-8, one per
// sequence (two for one beyond U+FFFF).
size_t Characters(const std::string& read) {
    std::string file;
    sim::GetFile(kPath, file);
    if (!HasByteOrderMark(file)) return read.size();
    size_t units = 0;
    for (unsigned char c : read) {
        if ((c & 0xC0) != 0x80) ++units;
        if (c >= 0xF0) ++units;
    }
    return units;
}

// The program's own reading, used where it does not hand the file to the
// profile functions, in the code page the simulation answers in.
std::string OwnRead(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& fallback, unsigned size) {
    const unsigned codePage = HasByteOrderMark(file) ? platform::kCodePageUtf8 : platform::kCodePageAnsi;
    const auto units = [&](const std::string& text) { return platform::MultiByteToWideChar(codePage, 0, text); };
    return platform::WideCharToMultiByte(
        codePage, ProfileValue(ProfileUnits(file), units(section), units(key), units(fallback), size));
}

void CheckRead(const std::vector<Line>* lines, const std::string& section, const std::string& key,
               const std::string& fallback, unsigned size) {
    std::string read = Read(section, key, fallback, size);
    Check(Characters(read) < std::max(size, 1u));
    Check(read.find('\0') == std::string::npos);
    if (lines) Check(read == ExpectedRead(*lines, section, key, fallback, size));
    std::string file;
    sim::GetFile(kPath, file);
    if (!HasForeignMark(file)) Check(read == OwnRead(file, section, key, fallback, size));
}

// A key the written line gives back as itself: one line, no "=", and not
// taken for a section header.
bool WritableBack(const std::string& section, const std::string& key, const std::string& value) {
    if (Trim(section).empty() || Trim(key).empty() || Trim(key)[0] == '[') return false;
    if (key.find('=') != std::string::npos) return false;
    return (section + key + value).find_first_of("\r\n") == std::string::npos;
}

// What reading a written value back gives: the line lost its blanks at
// both ends, and one pair of quotes comes off.
std::string ReadBack(const std::string& value) {
    std::string stored = Trim(value);
    return CopyValue(stored, unsigned(stored.size() + 2));
}

struct Key {
    std::string section, key;
};

// Every section and key the file names, at most `limit` of them. A section
// without a name is written back without a header, joining the section
// before it: no keys are compared for such a file.
std::vector<Key> NamedKeys(const std::vector<Line>& lines, size_t limit) {
    std::vector<Key> keys;
    const std::string* section = nullptr;
    for (const Line& line : lines) {
        if (line.header && line.name.empty()) return {};
        if (line.header) section = &line.name;
        else if (section && keys.size() < limit) keys.push_back({*section, line.name});
    }
    return keys;
}

// Wine's rewrite drops blank lines and the header of a section without a
// name ("[]"): when the first line it writes then begins with FF FE, the
// file reads as Unicode from then on. (Windows edits the
// file in place, and the line keeps its place.) A line written back begins
// with its name, followed by "=" or the line end.
bool KeepsEncoding(const std::string& file, const std::vector<Line>* lines) {
    if (HasByteOrderMark(file) || !lines) return true;
    for (const Line& line : *lines) {
        if (line.header && line.name.empty()) continue;
        return line.header || !HasByteOrderMark(line.name);
    }
    return true;
}

// A name or value cut at a NUL is written back without what followed: a
// blank before the NUL then goes with the line's trim, and a line with
// nothing before its NUL is gone, so other keys can read differently.
bool HasNulCharacter(const std::string& file) {
    if (!HasByteOrderMark(file)) return file.find('\0') != std::string::npos;
    for (size_t i = 2; i + 1 < file.size(); i += 2)
        if (file[i] == 0 && file[i + 1] == 0) return true;
    return false;
}

void CheckWrite(const std::string& file, const std::vector<Line>* lines, const std::string& section,
                const std::string& key, const std::string& value) {
    // A value or key that makes lines of its own can move every key after it.
    // A file with a mark takes UTF-8 text; other bytes become U+FFFD.
    const bool writableBack = WritableBack(section, key, value) && KeepsEncoding(file, lines) &&
                              !HasNulCharacter(file) && (lines || IsValidUtf8(value));
    std::vector<Key> others = lines && writableBack ? NamedKeys(*lines, 16) : std::vector<Key>{};
    std::vector<std::string> before;
    for (const Key& k : others) before.push_back(Read(k.section, k.key, "\x01", 4096));

    Check(platform::WritePrivateProfileStringW(section, key, value, kPath));
    CheckRead(nullptr, section, key, "\x01", 4096);
    if (writableBack) Check(Read(section, key, "\x01", 4096) == ReadBack(value));

    for (size_t i = 0; i < others.size(); ++i) {
        if (SameName(Trim(others[i].section), Trim(section)) && SameName(Trim(others[i].key), Trim(key)))
            continue;
        Check(Read(others[i].section, others[i].key, "\x01", 4096) == before[i]);
    }
}

// Buffers around the length of the value: where the cut and the quotes meet.
void CheckCuts(const std::vector<Line>& lines, const Key& k) {
    const Line* entry = Lookup(lines, Trim(k.section), Trim(k.key));
    if (!entry || !entry->hasValue) return;
    unsigned length = unsigned(entry->value.size());
    for (unsigned size = length > 2 ? length - 2 : 0; size <= length + 2; ++size)
        CheckRead(&lines, k.section, k.key, "", size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The simulation logs every call; a long run must not keep them all.
    sim::ClearCalls();
    if (size < 2) return 0;
    const unsigned bufferSize = BufferSize(data[0]);
    const size_t askedLength = std::min<size_t>(data[1], size - 2);
    const std::vector<std::string> asked =
        SplitAsked(std::string(reinterpret_cast<const char*>(data + 2), askedLength));
    const std::string& section = asked[0], &key = asked[1], &fallback = asked[2], &value = asked[3];
    const std::string file(reinterpret_cast<const char*>(data + 2 + askedLength), size - 2 - askedLength);
    sim::SetFile(kPath, file);

    std::vector<Line> parsed;
    const std::vector<Line>* lines = nullptr;
    if (!HasByteOrderMark(file)) {
        parsed = ParseLines(file);
        lines = &parsed;
    }
    CheckRead(lines, section, key, fallback, bufferSize);
    if (lines)
        for (const Key& k : NamedKeys(*lines, 8)) {
            CheckRead(lines, k.section, k.key, fallback, bufferSize);
            CheckRead(lines, SwappedCase(k.section), SwappedCase(k.key), fallback, bufferSize);
            CheckCuts(*lines, k);
        }
    CheckWrite(file, lines, section, key, value);
    return 0;
}
