#include "features/dates/date_configuration.h"

#include "app/configuration_file.h"
#include "app/profile_text.h"
#include "features/dates/date_format.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "text/encoding.h"
#include "text/trim.h"

namespace {

constexpr unsigned kValueBuffer = 260;
const char kBuiltInDateFormat[] = "<b>w.dd/mm (Wwn)</b>";

// A UTF-8 value the buffer cut inside a letter loses that letter's first
// bytes, rather than being taken for Windows-1252 as a whole.
std::string WithoutCutLetter(const std::string& value) {
    return value.size() + 1 < kValueBuffer ? value : WithoutCutCharacter(value);
}

// A file that kept a mark the profile functions may not honour (it could
// not be made Unicode at start) is read by the program itself, as the mark
// says; its text, else empty.
std::u16string gOwnReading;
bool gReadingOwn = false;

std::string RawValue(const std::string& section, const std::string& key, const std::string& defaultValue,
                     const std::string& path) {
    if (!gReadingOwn) return platform::GetPrivateProfileStringW(section, key, defaultValue, kValueBuffer, path);
    return Utf16ToUtf8(
        ProfileValue(gOwnReading, Utf8ToUtf16(section), Utf8ToUtf16(key), Utf8ToUtf16(defaultValue), kValueBuffer));
}

// The date goes into HTML as UTF-8, whatever the editor saved the file in.
std::string ReadValue(const std::string& section, const std::string& key, const std::string& defaultValue,
                      const std::string& path) {
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
