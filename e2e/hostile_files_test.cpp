// The real program started beside configuration files it did not write:
// damaged, oddly encoded, huge, unwritable, or a folder in the file's place.
// It starts, shows the contacts the file really holds, changes nothing on
// disk but a file with a mark Windows does not honour (made Unicode, the
// original kept as a backup), and ends cleanly.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/driver/desktop.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"

using namespace e2e;

namespace {

enum class Place { File, ReadOnlyFile, Folder };

struct FileCase {
    const char* name;
    const char* file;  // under tests/data, or null for none
    LRESULT contacts;  // the items the contact book lists
    Place place = Place::File;
    bool tenMegabyteLine = false;  // a contact with a 10 MB address appended
    bool madeUnicode = false;      // at start, FF FE and UTF-16, the original the backup
};

std::string DataFile(const std::string& name) {
    return ReadWholeFile(std::string(VANTOR_HOSTILE_DATA) + "\\" + name).value_or("");
}

class HostileFiles : public ::testing::TestWithParam<FileCase> {
protected:
    void TearDown() override {
        CancelDialogsAndExit(vantor);
        if (!ini.empty()) SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    VantorRun vantor;
    std::string ini;
};

TEST_P(HostileFiles, StartsListsWhatTheFileHoldsAndChangesNothing) {
    const FileCase& c = GetParam();
    const std::string folder = FreshFolder("hostile");
    ini = folder + "Vantor.ini";
    std::string bytes = c.file ? DataFile(c.file) : "";
    if (c.file) {
        ASSERT_FALSE(bytes.empty() && std::string(c.file) != "empty.ini") << c.file;
    }
    if (c.tenMegabyteLine)
        bytes += "Big, Value=mailto:" + std::string(10u << 20, 'b') + "@big.example\r\n";
    if (c.place == Place::Folder) {
        ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
    } else {
        HANDLE file = CreateFileA(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        if (c.place == Place::ReadOnlyFile) SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    }

    vantor = StartVantorIn(folder);
    ASSERT_NE(vantor.notice, nullptr);
    ASSERT_TRUE(AnswerNotice(vantor));
    ChooseMenuCommand(vantor, kContactBookCommand);
    HWND book = WaitForWindow("Contact Book", 30000);
    ASSERT_NE(book, nullptr);
    EXPECT_TRUE(Eventually([&] {
        return SendMessageA(GetDlgItem(book, kContactCombo), CB_GETCOUNT, 0, 0) == c.contacts;
    })) << SendMessageA(GetDlgItem(book, kContactCombo), CB_GETCOUNT, 0, 0) << " items";
    PostMessageA(book, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilGone(book));

    EXPECT_EQ(ExitVantor(vantor), 0);
    if (c.madeUnicode) {
        EXPECT_EQ(ReadWholeFile(ini).value_or("").substr(0, 2), "\xFF\xFE");
        EXPECT_TRUE(ReadWholeFile(ini + ".bak") == bytes) << "no backup of the original";
    } else if (c.place == Place::Folder) {
        DWORD attributes = GetFileAttributesA(ini.c_str());
        EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << "the folder was replaced";
    } else {
        std::optional<std::string> after = ReadWholeFile(ini);
        ASSERT_TRUE(after.has_value());
        EXPECT_TRUE(*after == bytes) << "the file changed: " << after->size() << " bytes, were " << bytes.size();
    }
}

INSTANTIATE_TEST_SUITE_P(
    HostileFiles, HostileFiles,
    ::testing::Values(FileCase{"Plain", "plain.ini", 2}, FileCase{"BinaryJunk", "binary_junk.ini", 0},
                      FileCase{"Utf16WithMark", "utf16le_bom.ini", 2}, FileCase{"Utf8WithMark", "utf8_bom.ini", 2, Place::File, false, true},
                      FileCase{"Utf8MarkThenDomains", "utf8_bom_domains_first.ini", 1, Place::File, false, true},
                      FileCase{"Utf16BigEndian", "utf16be_bom.ini", 2, Place::File, false, true},
                      FileCase{"Windows1252AndUtf8", "windows1252_and_utf8.ini", 2},
                      FileCase{"CarriageReturnsOnly", "cr_only.ini", 2}, FileCase{"LineFeedsOnly", "lf_only.ini", 2},
                      FileCase{"MixedLineEnds", "mixed_line_ends.ini", 2},
                      FileCase{"DuplicateSections", "duplicate_sections.ini", 1},
                      FileCase{"DuplicateKeys", "duplicate_keys.ini", 3},
                      FileCase{"ContactBookIsTheLastLine", "contact_book_last_line.ini", 0},
                      FileCase{"ContactBookIsTheLastLineWithoutLineEnd", "contact_book_last_line_no_eol.ini", 0},
                      FileCase{"KeyWithBrackets", "contact_key_brackets.ini", 2},
                      FileCase{"KeyStartingWithABracket", "contact_key_starts_bracket.ini", 2},
                      FileCase{"Empty", "empty.ini", 0}, FileCase{"NulInTheMiddle", "nul_in_middle.ini", 3},
                      FileCase{"HeaderFollowedByATab", "header_tab.ini", 0},
                      FileCase{"QuotedValues", "quoted_values.ini", 2}, FileCase{"NoDomains", "no_domains.ini", 1},
                      FileCase{"TruncatedMidLine", "truncated_mid_line.ini", 2},
                      FileCase{"TenMegabyteLine", "plain.ini", 3, Place::File, true},
                      FileCase{"ReadOnly", "plain.ini", 2, Place::ReadOnlyFile},
                      FileCase{"FolderInItsPlace", nullptr, 0, Place::Folder}),
    NameOfCase<FileCase>);

}  // namespace
