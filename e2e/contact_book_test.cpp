// The "@" key in a note window, end to end: Vantor from its default
// configuration, the stand-in as the note program, and real keys. What the
// user sees is the dialogs; what counts is the link pasted and the lines
// the configuration file gains, or does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/driver/desktop.h"
#include "e2e/driver/program_ids.h"
#include "e2e/driver/stand_in.h"
#include "e2e/driver/vantor.h"
#include "inject/html_clipboard.h"

using namespace e2e;

namespace {

const char kOneNoteCaption[] = "Notes - OneNote";

// In the default configuration: default (Microsoft), Yahoo!, Google, Amazon.
constexpr int kDefaultCompanies = 4;
constexpr int kDefaultContacts = 3;

// Colleagues from Prague, Warsaw, Athens and Paris, stored as UTF-8.
const char kUnicodeBook[] =
    "[domains]\r\ndefault=Microsoft@microsoft.com\r\nY!=Yahoo!@yahoo.com\r\n"
    "[contact_book]\r\n"
    "Doe, John=mailto:John.Doe@yahoo.com\r\n"
    "Dvořák, Antonín=mailto:antonin.dvorak@seznam.cz\r\n"
    "Nowak, Łukasz=mailto:lukasz.nowak@yahoo.com\r\n"
    "Παπαδόπουλος, Νίκος=mailto:nikos@otenet.gr\r\n"
    "Zélie, Ana=mailto:Ana.Zelie@microsoft.com\r\n";

LRESULT ItemCount(HWND book) { return SendMessageA(GetDlgItem(book, kContactCombo), CB_GETCOUNT, 0, 0); }

bool WaitForItemCount(HWND book, LRESULT count) {
    bool reached = Eventually([&] { return ItemCount(book) == count; });
    if (!reached) ADD_FAILURE() << "the list kept " << ItemCount(book) << " items, not " << count;
    return reached;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The lines of one section of an INI text, without their line ends.
std::vector<std::string> SectionLines(const std::string& ini, const std::string& section) {
    std::vector<std::string> lines;
    bool inside = false;
    size_t at = 0;
    while (at < ini.size()) {
        size_t end = ini.find_first_of("\r\n", at);
        if (end == std::string::npos) end = ini.size();
        std::string line = ini.substr(at, end - at);
        at = ini.find_first_not_of("\r\n", end);
        if (at == std::string::npos) at = ini.size();
        if (!line.empty() && line[0] == '[') inside = line == "[" + section + "]";
        else if (inside && !line.empty()) lines.push_back(line);
    }
    return lines;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& l : lines)
        if (l == line) return true;
    return false;
}

class ContactBook : public ProgramSuite {
protected:
    bool Start(const std::string& caption = kOneNoteCaption, const std::string& ini = "") {
        vantor = StartVantorReady("Vantor", ini);
        if (!vantor.tray) return false;
        standIn = StartStandIn(caption);
        if (!standIn.ready) return false;
        iniBefore = ReadWholeFile(vantor.ini).value_or("");
        return !iniBefore.empty();
    }

    // The "@" key, as AltGr+0 reaches the system.
    void PressAtKey() {
        logStart = ReadLogLines(standIn.log).size();
        Chord({VK_CONTROL, VK_MENU}, '0');
    }

    HWND OpenBook() {
        PressAtKey();
        HWND book = WaitForWindow("Contact Book");
        Pump(300);
        return book;
    }

    HWND OpenNewContact(HWND book, const std::string& name) {
        TypeText(name);
        if (!WaitForItemCount(book, 0)) return nullptr;
        Tap(VK_RETURN);
        HWND dialog = WaitForWindow("New contact");
        Pump(500);  // its own Tab, Shift+Tab have to land first
        return dialog;
    }

    HWND OpenNewCompany(HWND newContact) {
        Tap(VK_END);
        if (!Eventually([&] { return FocusOf(newContact) == GetDlgItem(newContact, kFirstCompanyButton + kDefaultCompanies); })) {
            ADD_FAILURE() << "End did not reach \"< New company >\"";
            return nullptr;
        }
        Tap(VK_SPACE);
        HWND dialog = WaitForWindow("New company");
        Pump(300);
        return dialog;
    }

    // The link the stand-in was given on its Ctrl+V.
    std::string PastedLink() {
        std::optional<std::string> document = PastedDocument(standIn, logStart);
        return document ? FragmentOf(*document) : "";
    }

    // Once a key typed after the dialog closed has reached the stand-in,
    // any paste would have come before it.
    void ExpectNothingPasted() {
        ASSERT_TRUE(WaitForForeground(standIn.window));
        Tap('X');
        int typed = WaitForLogLine(standIn.log, CharLine('x'), logStart);
        ASSERT_GE(typed, 0);
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (int i = (int)logStart; i < typed; ++i) EXPECT_NE(lines[i], "PASTE") << "at line " << i;
    }

    // Over an owner that is not maximised, at its offset the dialog would
    // reach past the screen's edge.
    static void ExpectInsideWorkArea(HWND dialog) {
        RECT work{}, place{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        ASSERT_TRUE(GetWindowRect(dialog, &place));
        EXPECT_TRUE(place.left >= work.left && place.top >= work.top && place.right <= work.right &&
                    place.bottom <= work.bottom)
            << TextOf(dialog) << " at " << place.left << "," << place.top << "-" << place.right << ","
            << place.bottom << " in " << work.right << "x" << work.bottom;
    }

    void ExpectIniUnchanged() { EXPECT_EQ(ReadWholeFile(vantor.ini).value_or(""), iniBefore); }

    std::string iniBefore;
    size_t logStart = 0;
};

TEST_F(ContactBook, TypedLettersNarrowTheListAndEnterPastesTheChosenLink) {
    ASSERT_TRUE(Start());
    HWND book = OpenBook();
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(ItemCount(book), kDefaultContacts);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(book, kContactHint)));
    ExpectInsideWorkArea(book);

    TypeText("doe");
    ASSERT_TRUE(WaitForItemCount(book, 2));
    SaveScreenshot("contact_book");
    Tap(VK_BACK);
    Tap(VK_BACK);
    ASSERT_TRUE(WaitForItemCount(book, 2));  // "d": still only the Does
    Tap(VK_BACK);
    ASSERT_TRUE(WaitForItemCount(book, kDefaultContacts));

    TypeText("e");  // "de": only the Doe entries hold it
    ASSERT_TRUE(WaitForItemCount(book, 2));
    Tap(VK_HOME);  // the sorted list starts with "Doe, Jane"
    ASSERT_TRUE(Eventually([&] { return TextOf(GetDlgItem(book, kContactCombo)) == "Doe, Jane"; }));
    Tap(VK_RETURN);
    EXPECT_EQ(PastedLink(), "<a href='mailto:Jane.Doe@amazon.com'>@AMZ\\Doe, Jane</a>");
    WaitUntilGone(book);
    ExpectIniUnchanged();
}

TEST_F(ContactBook, NewContactOfAListedCompanyIsStoredAndLinked) {
    ASSERT_TRUE(Start());
    HWND book = OpenBook();
    ASSERT_NE(book, nullptr);
    HWND dialog = OpenNewContact(book, "Smith, Ann");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(book));

    const std::vector<std::string> labels = {"default (Microsoft)", "Yahoo!", "Google", "Amazon", "< New company >"};
    for (size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kFirstCompanyButton + (int)i)), labels[i]) << "button " << i;
    EXPECT_EQ(GetDlgItem(dialog, kFirstCompanyButton + (int)labels.size()), nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kNewContactQuestion)), "What company does Smith, Ann belong to ?");
    EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, kFirstCompanyButton));
    ExpectInsideWorkArea(dialog);
    SaveScreenshot("new_contact");

    Tap(VK_DOWN);
    ASSERT_TRUE(Eventually([&] { return FocusOf(dialog) == GetDlgItem(dialog, kFirstCompanyButton + 1); }));
    Tap(VK_SPACE);
    EXPECT_EQ(PastedLink(), "<a href='mailto:Ann.Smith@yahoo.com'>@Y!\\Smith, Ann</a>");
    WaitUntilGone(book);
    std::string ini = ReadWholeFile(vantor.ini).value_or("");
    EXPECT_TRUE(Holds(SectionLines(ini, "contact_book"), "Smith, Ann=mailto:Ann.Smith@yahoo.com")) << ini;
}

TEST_F(ContactBook, NewCompanyIsCheckedThenStoredAndNamesTheLink) {
    ASSERT_TRUE(Start());
    HWND book = OpenBook();
    ASSERT_NE(book, nullptr);
    HWND newContact = OpenNewContact(book, "Smith, Ann");
    ASSERT_NE(newContact, nullptr);
    HWND dialog = OpenNewCompany(newContact);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kExtensionField)), "@");
    ExpectInsideWorkArea(dialog);

    // The default company's acronym in other case would replace its line.
    TypeText("DEFAULT");
    Tap(VK_TAB);
    TypeText("Acme Corp");
    Tap(VK_TAB);  // selects the field's "@", which the next text replaces
    TypeText("@acme");
    Tap(VK_RETURN);
    Pump(500);
    EXPECT_TRUE(IsWindow(dialog)) << "a taken acronym was taken again";
    ASSERT_TRUE(Eventually([&] { return FocusOf(dialog) == GetDlgItem(dialog, kAcronymField); }));
    ExpectIniUnchanged();

    Tap(VK_END);
    for (int i = 0; i < 7; ++i) Tap(VK_BACK);
    TypeText("AC");
    Tap(VK_RETURN);
    Pump(500);
    SaveScreenshot("new_company");
    EXPECT_TRUE(IsWindow(dialog)) << "an extension without a dot was taken";
    EXPECT_TRUE(Eventually([&] { return FocusOf(dialog) == GetDlgItem(dialog, kExtensionField); }));
    ExpectIniUnchanged();

    Tap(VK_END);
    TypeText(".org");
    Tap(VK_RETURN);
    EXPECT_EQ(PastedLink(), "<a href='mailto:Ann.Smith@acme.org'>@AC\\Smith, Ann</a>");
    WaitUntilGone(book);
    std::string ini = ReadWholeFile(vantor.ini).value_or("");
    EXPECT_TRUE(Holds(SectionLines(ini, "domains"), "AC=Acme Corp@acme.org")) << ini;
    EXPECT_TRUE(Holds(SectionLines(ini, "contact_book"), "Smith, Ann=mailto:Ann.Smith@acme.org")) << ini;
}

// Escape, in whichever of the three dialogs is in front, abandons it all.
enum class EscapeIn { Book, NewContact, NewCompany };

class ContactBookEscape : public ContactBook, public ::testing::WithParamInterface<EscapeIn> {};

TEST_P(ContactBookEscape, PastesNothingAndStoresNothing) {
    ASSERT_TRUE(Start());
    HWND book = OpenBook();
    ASSERT_NE(book, nullptr);
    HWND front = book;
    if (GetParam() != EscapeIn::Book) front = OpenNewContact(book, "Smith, Ann");
    if (GetParam() == EscapeIn::NewCompany && front) front = OpenNewCompany(front);
    ASSERT_NE(front, nullptr);

    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(front));
    ASSERT_TRUE(WaitUntilGone(book));
    ExpectNothingPasted();
    ExpectIniUnchanged();
}

std::string EscapeCaseName(const ::testing::TestParamInfo<EscapeIn>& info) {
    switch (info.param) {
    case EscapeIn::Book: return "Book";
    case EscapeIn::NewContact: return "NewContact";
    case EscapeIn::NewCompany: return "NewCompany";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(ContactBook, ContactBookEscape,
                         ::testing::Values(EscapeIn::Book, EscapeIn::NewContact, EscapeIn::NewCompany),
                         EscapeCaseName);

// "=" would split the stored line into another key and value.
TEST_F(ContactBook, NameThatCannotBeStoredIsRefusedAndTheBookStays) {
    ASSERT_TRUE(Start());
    HWND book = OpenBook();
    ASSERT_NE(book, nullptr);
    TypeText("Smith=, Ann");
    ASSERT_TRUE(WaitForItemCount(book, 0));
    Tap(VK_RETURN);
    Pump(1000);
    EXPECT_TRUE(IsWindowVisible(book));
    EXPECT_EQ(FindWindowA(nullptr, "New contact"), nullptr);
    ExpectIniUnchanged();

    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(book));
    ExpectNothingPasted();
}

// Typed as characters, as an input method or another layout gives them:
// each narrows the list, which shows the names as stored; a letter more and
// its Backspace bring the name back; the link carries it as UTF-8. A stored
// name typed in other case is that contact, and nothing is stored. A new
// one's address is written as passports write the name, or asked for.
TEST_F(ContactBook, NamesInAnyAlphabetAreFoundShownAndPasted) {
    ASSERT_TRUE(Start(kOneNoteCaption, kUnicodeBook));
    const struct {
        const char *typed, *item, *link, *asked = nullptr;  // item: none for a new contact
    } cases[] = {
        {"dvo", "Dvořák, Antonín", "<a href='mailto:antonin.dvorak@seznam.cz'>@Dvořák, Antonín</a>"},
        {"łuk", "Nowak, Łukasz", "<a href='mailto:lukasz.nowak@yahoo.com'>@Y!\\Nowak, Łukasz</a>"},
        {"παπ", "Παπαδόπουλος, Νίκος", "<a href='mailto:nikos@otenet.gr'>@Παπαδόπουλος, Νίκος</a>"},
        {"ze", "Zélie, Ana", "<a href='mailto:Ana.Zelie@microsoft.com'>@Zélie, Ana</a>"},
        {"doe, john", "Doe, John", "<a href='mailto:John.Doe@yahoo.com'>@Y!\\Doe, John</a>"},
        {"Иванов, Иван", nullptr, "<a href='mailto:Ivan.Ivanov@microsoft.com'>@Иванов, Иван</a>"},
        {"李, 明", nullptr, "<a href='mailto:li.ming@microsoft.com'>@李, 明</a>", "li.ming"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WaitForForeground(standIn.window)) << c.typed;
        HWND book = OpenBook();
        ASSERT_NE(book, nullptr) << c.typed;
        HWND combo = GetDlgItem(book, kContactCombo);
        TypeUnicode(c.typed);
        if (c.item == nullptr) {  // of the default company, the first button
            ExpectIniUnchanged();
            ASSERT_TRUE(WaitForItemCount(book, 0)) << c.typed;
            Tap(VK_RETURN);
            HWND dialog = WaitForWindow("New contact");
            Pump(500);  // its controls are made after its window
            EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, kLocalPartEdit)) != FALSE, c.asked != nullptr) << c.typed;
            if (c.asked != nullptr) SaveScreenshot("new_contact_address");
            if (c.asked != nullptr)
                for (const char* part : {"li ming", c.asked}) {  // refused and selected, then typed over
                    TypeText(part);
                    Tap(VK_RETURN);
                    Pump(300);
                }
            ASSERT_TRUE(Eventually([&] { return FocusOf(dialog) == GetDlgItem(dialog, kFirstCompanyButton); })) << c.typed;
            Tap(VK_SPACE);
            EXPECT_EQ(PastedLink(), c.link) << c.typed;
            WaitUntilGone(book);
            iniBefore = ReadWholeFile(vantor.ini).value_or("");
            continue;
        }
        ASSERT_TRUE(WaitForItemCount(book, 1)) << c.typed;
        TypeUnicode("x");
        ASSERT_TRUE(WaitForItemCount(book, 0)) << c.typed;
        Tap(VK_BACK);
        ASSERT_TRUE(WaitForItemCount(book, 1)) << c.typed;
        EXPECT_EQ(ComboItems(combo), std::vector<std::string>{c.item}) << c.typed;
        if (std::string(c.typed).find(',') == std::string::npos) {  // picked from the list
            Tap(VK_HOME);
            ASSERT_TRUE(Eventually([&] { return SendMessageW(combo, CB_GETCURSEL, 0, 0) == 0; })) << c.typed;
        }
        Tap(VK_RETURN);
        EXPECT_EQ(PastedLink(), c.link) << c.typed;
        WaitUntilGone(book);
    }
    ExpectIniUnchanged();
}

// Not kept, yet pasted, and the box says why: the file held open by another
// program that lets it be read, not written (a read-only attribute does not
// stop Wine run as root from writing), or a line that holds the name.
struct NotKeptCase {
    const char* name;
    std::string ini;  // empty: the default configuration, then held
    const char* reason;
};

class ContactBookNotKept : public ContactBook, public ::testing::WithParamInterface<NotKeptCase> {};

TEST_P(ContactBookNotKept, ContactIsReportedAndStillPasted) {
    ASSERT_TRUE(Start(kOneNoteCaption, GetParam().ini));
    HWND book = OpenBook();
    ASSERT_NE(book, nullptr);
    ASSERT_NE(OpenNewContact(book, "Smith, Ann"), nullptr);
    HANDLE lock = GetParam().ini.empty() ? CreateFileA(vantor.ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                       OPEN_EXISTING, 0, nullptr) : INVALID_HANDLE_VALUE;
    Tap(VK_SPACE);  // the first company: default (Microsoft)
    HWND box = WaitForWindow("Not kept");
    ASSERT_NE(box, nullptr);
    std::string text = TextOf(GetDlgItem(box, 0xFFFF));
    EXPECT_NE(text.find("Smith, Ann\x94 was not kept: " + std::string(GetParam().reason)), std::string::npos) << text;
    EXPECT_NE(text.find("\\Vantor.ini"), std::string::npos) << text;
    Tap(VK_RETURN);
    EXPECT_EQ(PastedLink(), "<a href='mailto:Ann.Smith@microsoft.com'>@Smith, Ann</a>");
    WaitUntilGone(book);
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    ExpectIniUnchanged();
}

INSTANTIATE_TEST_SUITE_P(
    ContactBook, ContactBookNotKept,
    ::testing::Values(NotKeptCase{"FileHeld", "", "it could not be written"},
                      NotKeptCase{"LineHoldsTheName", "[domains]\r\ndefault=Microsoft@microsoft.com\r\n"
                                  "[contact_book]\r\nSMITH, ANN\r\n", "the file already holds the entry \x93SMITH, ANN\x94"}),
    NameOfCase<NotKeptCase>);

// Outside OneNote the chord comes back as what it types in that window's
// layout, whether AltGr is let go at once or held: on US, where AltGr+0
// types nothing, nothing; the user's clipboard keeps what it held and the
// chord stays Vantor's.
TEST_F(ContactBook, OutsideOneNoteTheChordTypesWhatItTypesThere) {
    ASSERT_TRUE(Start("Untitled - Notepad"));
    ASSERT_TRUE(PutHtmlFragment("<b>copied before</b>"));
    std::optional<std::string> before = ClipboardHtml();
    for (unsigned heldMs : {0u, 1000u}) {
        PressAtKey();
        KeyDown(VK_CONTROL), KeyDown(VK_MENU), Tap('0'), Pump(heldMs), KeyUp(VK_MENU), KeyUp(VK_CONTROL);
        Pump(1000);
        Tap('X');
        int typed = WaitForLogLine(standIn.log, CharLine('x'), logStart);
        ASSERT_GE(typed, 0);
        std::vector<std::string> lines = ReadLogLines(standIn.log);
        for (int i = (int)logStart; i < typed; ++i) EXPECT_TRUE(lines[i] != "PASTE" && lines[i].rfind("CHAR", 0)) << lines[i];
    }
    EXPECT_EQ(ClipboardHtml(), before);
    EXPECT_EQ(FindWindowA(nullptr, "Contact Book"), nullptr);
    EXPECT_TRUE(HotkeyHeldElsewhere(MOD_CONTROL | MOD_ALT, '0')) << "the chord was let go";
}

// ---- A file in a folder named beyond the ANSI code page, in UTF-16 ------

std::string Utf8Of(const std::wstring& text) {
    std::string utf8(text.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), utf8.data(), (int)utf8.size(), nullptr, nullptr));
    return utf8;
}

// Started from "Łódź Δ" beside Notepad's "Unicode" file, the program writes
// a contact and a company typed with accents into that file as typed, and
// pastes the link in UTF-8. A file with the UTF-8 mark or FE FF (which
// Windows does not honour), or without a mark (where a name beyond ASCII
// could meet another of the same ANSI letters in other case), is first made
// such a file, the original kept beside it.
struct FileFormCase {
    const char* name;
    std::string (*form)(const std::wstring& text);
};

std::string LittleEndian(const std::wstring& text) { return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2); }
std::string BigEndian(const std::wstring& text) {
    std::string bytes = "\xFE\xFF";
    for (wchar_t unit : text) bytes += std::string{static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    return bytes;
}
std::string Utf8Marked(const std::wstring& text) { return "\xEF\xBB\xBF" + Utf8Of(text); }

class ContactBookFileForm : public ContactBook, public ::testing::WithParamInterface<FileFormCase> {};

TEST_P(ContactBookFileForm, FileInAFolderBeyondAnsiTakesEntriesAsTyped) {
    const std::string original = GetParam().form(L"[domains]\r\nG=Google@gmail.com\r\n[contact_book]\r\nDoe, John=mailto:J@gmail.com\r\n");
    vantor = StartVantorReady("Vantor", original, FreshFolderNamed("\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\x94"));
    ASSERT_NE(vantor.tray, nullptr);
    standIn = StartStandIn(kOneNoteCaption);
    ASSERT_TRUE(standIn.ready);
    HWND book = OpenBook();
    ASSERT_NE(book, nullptr);
    ASSERT_TRUE(WaitForItemCount(book, 1));
    TypeText("Z");  // a letter key, then "é" as a character
    TypeUnicode("\xC3\xA9");
    TypeText("lie, Ana");
    ASSERT_TRUE(WaitForItemCount(book, 0));
    Tap(VK_RETURN);
    HWND newContact = WaitForWindow("New contact");
    ASSERT_NE(newContact, nullptr);
    Pump(500);
    Tap(VK_END);  // "< New company >", after Google
    ASSERT_TRUE(Eventually([&] { return FocusOf(newContact) == GetDlgItem(newContact, kFirstCompanyButton + 1); }));
    Tap(VK_SPACE);
    ASSERT_NE(WaitForWindow("New company"), nullptr);
    Pump(300);
    TypeText("SE");
    Tap(VK_TAB);
    TypeUnicode("Soci\xC3\xA9t\xC3\xA9");
    Tap(VK_TAB);
    TypeText("@societe.fr");
    Tap(VK_RETURN);
    EXPECT_EQ(PastedLink(), "<a href='mailto:Ana.Zelie@societe.fr'>@SE\\Z\xC3\xA9lie, Ana</a>");
    WaitUntilGone(book);

    const std::string bytes = ReadWholeFile(vantor.ini).value_or("");
    ASSERT_EQ(bytes.compare(0, 2, "\xFF\xFE"), 0) << "not a UTF-16 file";
    const std::string ini = Utf8Of(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2));
    EXPECT_TRUE(Holds(SectionLines(ini, "domains"), "SE=Soci\xC3\xA9t\xC3\xA9@societe.fr")) << ini;
    EXPECT_TRUE(Holds(SectionLines(ini, "contact_book"), "Z\xC3\xA9lie, Ana=mailto:Ana.Zelie@societe.fr")) << ini;
    // Without a mark, the company (an ASCII key) went in before the contact made the file Unicode.
    std::string before = original;
    if (GetParam().form == Utf8Of) before.insert(before.find("[contact_book]"), "SE=Soci\xC3\xA9t\xC3\xA9@societe.fr\r\n");
    EXPECT_EQ(ReadWholeFile(vantor.ini + ".bak"), GetParam().form == LittleEndian ? std::nullopt : std::optional(before));
}

INSTANTIATE_TEST_SUITE_P(ContactBook, ContactBookFileForm,
                         ::testing::Values(FileFormCase{"Utf16", LittleEndian}, FileFormCase{"Utf16BigEndian", BigEndian},
                                           FileFormCase{"Utf8Mark", Utf8Marked}, FileFormCase{"NoMark", Utf8Of}),
                         NameOfCase<FileFormCase>);

}  // namespace
