// The "HTML Format" document: built, its offsets fixed, written with its
// plain-text companion, and read back, against the simulated clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "inject/html_clipboard.h"
#include "platform/clipboard.h"
#include "platform/sim/sim.h"

namespace {

const std::string kAbcDocument =
    "Version:1.0\r\n"
    "StartHTML:0000000105\r\n"
    "EndHTML:0000000182\r\n"
    "StartFragment:0000000139\r\n"
    "EndFragment:0000000146\r\n"
    "<html><body>\r\n"
    "<!--StartFragment-->\r\n"
    "abc\r\n"
    "<!--EndFragment-->\r\n"
    "</body>\r\n"
    "</html>";

constexpr unsigned kText = platform::kClipboardText;

class HtmlClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        html = platform::RegisterClipboardFormatA("HTML Format");
        sim::ClearCalls();
    }

    // The block as a reader sees it (CF_TEXT made from the Unicode text):
    // up to its NUL.
    std::string Block(unsigned format) {
        std::string block;
        return sim::PeekClipboard(format, block) ? block.substr(0, block.find('\0')) : "<none>";
    }

    unsigned html = 0;
};

TEST_F(HtmlClipboardTest, FragmentAbcGivesTheExactDocument) {
    ASSERT_EQ(kAbcDocument.size(), 182u);
    PutHtmlFragment("abc");
    ASSERT_EQ(sim::ClipboardContent().count(html), 1u);
    EXPECT_EQ(sim::ClipboardContent().at(html), kAbcDocument + '\0');
    EXPECT_EQ(sim::ClipboardAllocFlags().at(html), platform::kGmemMoveable);
    EXPECT_FALSE(sim::ClipboardIsOpen());
}

// Of any length, markup and all, the fragment goes in byte for byte.
TEST_F(HtmlClipboardTest, DocumentLengthFollowsTheFragment) {
    for (std::string fragment : {std::string(1, 'x'), std::string(7, 'x'), std::string(5000, 'x'),
                                 std::string("<a href=\"mailto:x@y.fr\">A & B <c></a>")}) {
        const size_t n = fragment.size();
        PutHtmlFragment(fragment);
        std::string document = Block(html);
        ASSERT_EQ(document.size(), 179 + n);
        char expected[128];
        std::snprintf(expected, sizeof expected,
                      "StartHTML:0000000105\r\nEndHTML:%010zu\r\nStartFragment:0000000139\r\n"
                      "EndFragment:%010zu\r\n",
                      179 + n, 143 + n);
        EXPECT_EQ(document.substr(13, 92), expected);
        EXPECT_EQ(document.substr(141, n), fragment);
    }
}

TEST_F(HtmlClipboardTest, EmptyFragmentLeavesTheClipboardUntouched) {
    sim::SetClipboardData(kText, std::string("before\0", 7));
    PutHtmlFragment("");
    EXPECT_TRUE(sim::Calls().empty());
    EXPECT_EQ(Block(kText), "before");
}

// One opening replaces every format; the format is registered once for
// many writes and reads.
TEST_F(HtmlClipboardTest, WriteReplacesEveryFormatInOneOpening) {
    sim::SetClipboardData(0xC123, "someone else's");
    PutHtmlFragment("abc");
    EXPECT_EQ(sim::ClipboardContent().size(), 2u);  // the document and its plain text
    PutHtmlFragment("b");
    ReadHtmlClipboard();
    std::vector<std::string> names = sim::CallNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "OpenClipboard"), 3);
    EXPECT_EQ(std::count(names.begin(), names.end(), "EmptyClipboard"), 2);
    EXPECT_EQ(std::count(names.begin(), names.end(), "CloseClipboard"), 3);
    EXPECT_EQ(std::count(names.begin(), names.end(), "SetClipboardData"), 4);
    EXPECT_LE(std::count(names.begin(), names.end(), "RegisterClipboardFormatA"), 1);
}

// Another program holding the clipboard (a clipboard history opens it after
// every change) is waited for, about half a second at most; the write says
// whether the document got there, and the clipboard is opened with the
// program's own window.
struct HeldCase {
    const char* name;
    unsigned heldMs;  // sim::kForever: never let go
    bool placed;
};

class HeldClipboardTest : public HtmlClipboardTest, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(HeldClipboardTest, WriteAndReadWaitBriefly) {
    gClipboardOwner = reinterpret_cast<platform::WindowHandle>(0x7A1);
    sim::SetClipboardData(kText, std::string("kept\0", 5));
    const HeldCase& c = GetParam();
    auto hold = [&] {
        if (c.heldMs == sim::kForever) sim::HoldClipboardElsewhere(true);
        else sim::HoldClipboardElsewhereFor(c.heldMs);
    };
    hold();
    EXPECT_EQ(PutHtmlFragment("abc"), c.placed);
    EXPECT_EQ(Block(kText), c.placed ? "abc" : "kept");
    unsigned start = sim::Now();
    hold();
    EXPECT_EQ(ReadHtmlClipboard(), c.placed ? kAbcDocument : "");
    EXPECT_LE(sim::Now() - start, kClipboardBusyWaitMs + 15) << "by the clock, not by rounds of a tick each";
    EXPECT_FALSE(sim::ClipboardIsOpen());
    for (const sim::Call& call : sim::Calls()) {
        if (call.name == "OpenClipboard") {
            EXPECT_EQ(call.detail.substr(0, 5), "0x7A1") << call.detail;
        }
    }
    gClipboardOwner = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Holders, HeldClipboardTest,
                         ::testing::Values(HeldCase{"Briefly", 300, true}, HeldCase{"JustLongEnough", 490, true},
                                           HeldCase{"PastTheWait", 600, false},
                                           HeldCase{"Forever", sim::kForever, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HtmlClipboardTest, FailedAllocationLeavesAnEmptyClosedClipboard) {
    sim::SetClipboardData(kText, std::string("lost\0", 5));
    sim::FailNextAllocation();
    EXPECT_FALSE(PutHtmlFragment("abc"));
    EXPECT_TRUE(sim::ClipboardContent().empty());
    EXPECT_FALSE(sim::ClipboardIsOpen());
}

// ---- Reading -------------------------------------------------------------

// The document up to its first NUL; what was written comes back; plain
// text alone is no document.
TEST_F(HtmlClipboardTest, ReadGivesTheDocumentUpToItsFirstNul) {
    const struct {
        std::string format, block, read;
    } cases[] = {{"html", std::string("Version:1.0\r\nabc\0tail", 22), "Version:1.0\r\nabc"},
                 {"written", "", kAbcDocument},
                 {"text", std::string("plain\0", 6), ""}};
    for (const auto& c : cases) {
        sim::Reset();
        html = platform::RegisterClipboardFormatA("HTML Format");
        if (c.format == "written") PutHtmlFragment("abc");
        else sim::SetClipboardData(c.format == "html" ? html : kText, c.block);
        EXPECT_EQ(ReadHtmlClipboard(), c.read) << c.format;
        EXPECT_FALSE(sim::ClipboardIsOpen());
    }
}


// ---- The plain-text companion -------------------------------------------

// A fragment, or a whole document when it starts with "Version:".
struct CompanionCase {
    const char* fragment;
    const char* text;  // as CF_TEXT, made by the system from the Unicode text; null: no companion
};

class CompanionTest : public HtmlClipboardTest, public ::testing::WithParamInterface<CompanionCase> {};

TEST_P(CompanionTest, PlainTextHasNoTagsAndDecodedEntities) {
    const std::string fragment = GetParam().fragment;
    if (fragment.rfind("Version:", 0) == 0) WriteHtmlClipboard(fragment);
    else PutHtmlFragment(fragment);
    EXPECT_EQ(sim::ClipboardContent().size(), GetParam().text ? 2u : 1u);
    if (!GetParam().text) return;
    EXPECT_EQ(Block(kText), GetParam().text);
    EXPECT_EQ(sim::ClipboardAllocFlags().at(platform::kClipboardUnicodeText), platform::kGmemMoveable);
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, CompanionTest,
    ::testing::Values(
        CompanionCase{"abc", "abc"},
        CompanionCase{"<b>07/12</b> <i>(W49)</i>", "07/12 (W49)"},
        CompanionCase{"<a href=\"mailto:jean@dupont.fr\">Jean Dupont</a>", "Jean Dupont"},
        CompanionCase{"a &amp; b &lt;c&gt; &quot;d&quot; &#39;e&apos;", "a & b <c> \"d\" 'e'"},
        CompanionCase{"&amp;lt; stays one step", "&lt; stays one step"},
        CompanionCase{"x&nbsp;y &unknown; &amp", "x y &unknown; &amp"},
        CompanionCase{"&#233;&#xE9;&eacute;&euro;&Eacute;", "\xE9\xE9\xE9\x80\xC9"},
        CompanionCase{"<p>one</p>\r\n<p>two  \r\n three</p><div>four<br>five</div>", "one\r\ntwo three\r\nfour\r\nfive"},
        CompanionCase{"1 < 2", "1 < 2"},
        CompanionCase{"<span style=\"x\">Andr\xC3\xA9 \xE2\x82\xAC</span>", "Andr\xE9 \x80"},
        CompanionCase{"<br><br/>", ""},
        CompanionCase{"Version:1.0\r\n<html><body>no markers</body></html>", nullptr},
        CompanionCase{"Version:0.9\r\n<html><body><p>before</p><!--StartFragment--><p>line</p>"
                      "<!--EndFragment--><p>after</p></body></html>",
                      "line"}));

// ---- Fixing the offsets --------------------------------------------------

TEST(FixHtmlOffsets, FixesTheBuiltTemplateAndChangesNothingTheSecondTime) {
    std::string document = kAbcDocument;
    document.replace(23, 10, "SH00000000");
    document.replace(43, 10, "EH00000000");
    document.replace(69, 10, "SF00000000");
    document.replace(93, 10, "EF00000000");
    FixHtmlOffsets(document);
    EXPECT_EQ(document, kAbcDocument);
    FixHtmlOffsets(document);
    EXPECT_EQ(document, kAbcDocument);
}

// Keys in another order, no line ends around the markers.
TEST(FixHtmlOffsets, FollowsTheKeysWhereverTheyAre) {
    std::string document =
        "Version:1.0\r\nEndFragment:XXXXXXXXXX\r\nStartFragment:XXXXXXXXXX\r\n"
        "EndHTML:XXXXXXXXXX\r\nStartHTML:XXXXXXXXXX\r\n"
        "<p><!--StartFragment-->x<!--EndFragment--></p>";
    FixHtmlOffsets(document);
    EXPECT_EQ(document,
              "Version:1.0\r\nEndFragment:0000000129\r\nStartFragment:0000000128\r\n"
              "EndHTML:0000000151\r\nStartHTML:0000000037\r\n"
              "<p><!--StartFragment-->x<!--EndFragment--></p>");
}

TEST(FixHtmlOffsets, ValueMayEndAtTheLastByte) {
    std::string document =
        "EndFragment:0000000000\r\nStartHTML:0000000000\r\nStartFragment:0000000000\r\n"
        "<!--StartFragment--><!--EndFragment-->EndHTML:0000000000";
    FixHtmlOffsets(document);
    EXPECT_EQ(document,
              "EndFragment:0000000092\r\nStartHTML:0000000024\r\nStartFragment:0000000092\r\n"
              "<!--StartFragment--><!--EndFragment-->EndHTML:0000000128");
}

struct BrokenCase {
    const char* name;
    std::string document;
};

std::string Without(std::string document, const std::string& part) {
    document.erase(document.find(part), part.size());
    return document;
}

std::string Replaced(std::string document, const std::string& part, const std::string& by) {
    document.replace(document.find(part), part.size(), by);
    return document;
}

class BrokenDocumentTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenDocumentTest, IsLeftExactlyAsItIs) {
    std::string document = GetParam().document;
    FixHtmlOffsets(document);
    EXPECT_EQ(document, GetParam().document);
}

std::string Scrambled() {
    return Replaced(Replaced(kAbcDocument, "0000000182", "0000000999"), "0000000105", "0000000000");
}

INSTANTIATE_TEST_SUITE_P(
    Documents, BrokenDocumentTest,
    ::testing::Values(
        BrokenCase{"empty", ""},
        BrokenCase{"no StartHTML key", Without(Scrambled(), "StartHTML:")},
        BrokenCase{"no EndHTML key", Without(Scrambled(), "EndHTML:")},
        BrokenCase{"no StartFragment key", Without(Scrambled(), "StartFragment:")},
        BrokenCase{"no EndFragment key", Without(Scrambled(), "EndFragment:")},
        BrokenCase{"no start marker", Without(Scrambled(), "<!--StartFragment-->")},
        BrokenCase{"no end marker", Without(Scrambled(), "<!--EndFragment-->")},
        BrokenCase{"short value", Replaced(Scrambled(), "EndHTML:0000000999", "EndHTML:999")},
        BrokenCase{"no line end after EndFragment",
                   "StartHTML:0000000000 EndHTML:0000000000 StartFragment:0000000000 "
                   "EndFragment:0000000000 <!--StartFragment--><!--EndFragment-->"},
        BrokenCase{"value cut by the end of the document",
                   "EndFragment:0000000000\r\nStartHTML:0000000000\r\nStartFragment:0000000000\r\n"
                   "<!--StartFragment--><!--EndFragment-->EndHTML:000000000"},
        BrokenCase{"key inside another key's value",
                   "StartHTML:EndHTML:0000000000\r\nStartFragment:0000000000\r\n"
                   "EndFragment:0000000000\r\n<!--StartFragment--><!--EndFragment-->"},
        BrokenCase{"marker inside a value",
                   "StartHTML:0000000000\r\nEndHTML:0000000000\r\nStartFragment:0000000000\r\n"
                   "EndFragment:<!--EndFragment--><!--StartFragment-->\r\n"}),
    [](const ::testing::TestParamInfo<BrokenCase>& info) {
        std::string name;
        for (char c : std::string(info.param.name)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
