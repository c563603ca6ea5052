#include "features/dates/date_configuration.h"

#include "app/configuration_file.h"
#include "app/profile_text.h"
#include "features/dates/date_format.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "text/encoding.h"

namespace {

constexpr unsigned kValueBuffer = 260;
const char kBuiltInDateFormat[] = "<b>w.dd/mm (Wwn)</b>";

// A UTF-8 value the buffer cut inside a letter loses that letter's first
// bytes, rather than being taken for Windows-1252 as a whole.
std::string WithoutCutLetter(std::string value) {
    if (value.size() + 1 < kValueBuffer || IsValidUtf8(value)) return value;
    size_t lead = value.size();
    while (lead > 0 && value.size() - lead < 3 && (value[lead - 1] & 0xC0) == 0x80) --lead;
    if (lead > 0 && IsValidUtf8(value.substr(0, lead - 1))) value.resize(lead - 1);
    return value;
}

// A file that kept a mark the profile functions may not honour (it could
// not be made Unicode at start) is read by the program itself, as the mark
// says; its text, else empty.
std::u16string gOwnReading;
bool gReadingOwn = false;

std::u16string Units(const std::string& utf8) {
    return platform::MultiByteToWideChar(platform::kCodePageUtf8, 0, utf8);
}

std::string RawValue(const std::string& section, const std::string& key, const std::string& defaultValue,
                     const std::string& path) {
    if (!gReadingOwn) return platform::GetPrivateProfileStringW(section, key, defaultValue, kValueBuffer, path);
    return platform::WideCharToMultiByte(
        platform::kCodePageUtf8, ProfileValue(gOwnReading, Units(section), Units(key), Units(defaultValue), kValueBuffer));
}

// The date goes into HTML as UTF-8, whatever the editor saved the file in.
std::string ReadValue(const std::string& section, const std::string& key,
                      const std::string& defaultValue, const std::string& path) {
    return FileTextToUtf8(std::string(TrimSpaces(WithoutCutLetter(RawValue(section, key, defaultValue, path)))));
}

void ChooseReader(const std::string& path) {
    std::string bytes;
    gReadingOwn = HasForeignMark(platform::ReadFileStart(path, 3)) && platform::ReadWholeFile(path, bytes);
    gOwnReading = gReadingOwn ? ProfileUnits(bytes) : std::u16string();
}

std::string NumberedKey(const char* letters, int number) {
    return std::string(letters) + "(" + std::to_string(number) + ")";
}

}  // namespace

void ReadDateConfigurationFrom(const std::string& path) {
    ChooseReader(path);
    gDateFormat = ReadValue("date_picker", "output", kBuiltInDateFormat, path);

    gShortWeekdayNames.assign(7, "");
    gLongWeekdayNames.assign(7, "");
    for (int i = 1; i <= 7; ++i) {
        gShortWeekdayNames[i - 1] = ReadValue("weekdays", NumberedKey("w", i), "", path);
        gLongWeekdayNames[i - 1] = ReadValue("weekdays", NumberedKey("wd", i), "", path);
    }

    gShortMonthNames.assign(12, "");
    gLongMonthNames.assign(12, "");
    for (int i = 1; i <= 12; ++i) {
        gShortMonthNames[i - 1] = ReadValue("months", NumberedKey("M", i), "", path);
        gLongMonthNames[i - 1] = ReadValue("months", NumberedKey("MM", i), "", path);
    }
    gOwnReading = {};
}

void ReadDateConfiguration() { ReadDateConfigurationFrom(ConfigurationPath()); }
