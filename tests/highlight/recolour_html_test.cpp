#include "features/highlight/recolour_html.h"

#include <gtest/gtest.h>

#include <string>

#include "features/highlight/highlight_line.h"

namespace {

// The shape of what OneNote puts on the clipboard for one copied line.
const std::string kHead =
    "Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000000\r\n"
    "StartFragment:0000000000\r\nEndFragment:0000000000\r\n"
    "<html><head><style>p {margin:0in}</style></head><body lang=en-US>\r\n";
const std::string kTail = "\r\n</body>\r\n</html>\r\n";

std::string Line(const std::string& fragment) {
    return kHead + "<!--StartFragment-->" + fragment + "<!--EndFragment-->" + kTail;
}

std::string Span(const std::string& colour) {
    return "<span style='background:" + colour + ";mso-highlight:" + colour + "'>";
}

struct RecolourCase {
    const char* name;
    std::string text;
    std::string colour;
    std::string expected;
};

void PrintTo(const RecolourCase& c, std::ostream* out) { *out << c.name; }

class RecolourHtmlTest : public testing::TestWithParam<RecolourCase> {};

TEST_P(RecolourHtmlTest, Rewrites) {
    const RecolourCase& c = GetParam();
    EXPECT_EQ(RecolourHtml(c.text, c.colour), c.expected);
}

const std::string kAquaLine =
    "\r\n<p><span style='background:aqua;mso-highlight:aqua'>text</span></p>\r\n";
// Highlighted once, after a background of the page's own: OneNote's shape,
// and a browser's (double quotes, blanks, words with "'").
std::string OneNoteLine(const std::string& c) {
    return Line("<p style='margin:0in;background:white'>one <span lang=fr style='background:" + c +
                ";mso-highlight:" + c + "'>two</span> three;</p>");
}
std::string BrowserLine(const std::string& c) {
    return "<html><body>\r\n<!--StartFragment--><div style=\"background: rgb(255, 255, 255); padding: 2px\">it's "
           "<mark style=\"background: " + c + " ; mso-highlight: " + c + ";\">two</mark> isn't; 3</div><!--EndFragment-->";
}

const std::string kTwoSpans =
    "\r\n<p><span style='background:aqua;mso-highlight:aqua'>one</span> and "
    "<span style='font-weight:bold;background:yellow;mso-highlight:yellow'>two</span></p>\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lines, RecolourHtmlTest,
    testing::Values(
        RecolourCase{"PlainLineIsWrapped", Line("\r\n<p>text</p>\r\n"), "yellow",
                     kHead + "<!--StartFragment-->" + Span("yellow") + "\r\n<p>text</p>\r\n</span>"
                         "<!--EndFragment-->" + kTail},
        RecolourCase{"WholeFragmentGoesIntoOneSpan", Line("\r\n<p>one</p>\r\n<p>two</p>\r\n"), "aqua",
                     kHead + "<!--StartFragment-->" + Span("aqua") +
                         "\r\n<p>one</p>\r\n<p>two</p>\r\n</span><!--EndFragment-->" + kTail},
        RecolourCase{"TransparentIsAColourLikeAnyOther", Line("<p>x</p>"), "transparent",
                     kHead + "<!--StartFragment-->" + Span("transparent") + "<p>x</p></span>"
                         "<!--EndFragment-->" + kTail},
        RecolourCase{"EmptyFragmentIsWrapped", Line(""), "lime",
                     kHead + "<!--StartFragment-->" + Span("lime") + "</span><!--EndFragment-->" + kTail},
        RecolourCase{"HighlightedLineIsRecolouredInPlace", Line(kAquaLine), "lime",
                     Line("\r\n<p><span style='background:lime;mso-highlight:lime'>text</span></p>\r\n")},
        RecolourCase{"EverySpanOfTheLineIsRecoloured", Line(kTwoSpans), "fuchsia",
                     Line("\r\n<p><span style='background:fuchsia;mso-highlight:fuchsia'>one</span> and "
                          "<span style='font-weight:bold;background:fuchsia;mso-highlight:fuchsia'>two"
                          "</span></p>\r\n")},
        RecolourCase{"LongerAndShorterValuesAreReplacedWhole",
                     "<a style='background:#FFFF00;mso-highlight:yellow'>b<b style='background:x;mso-highlight:'>",
                     "transparent",
                     "<a style='background:transparent;mso-highlight:transparent'>b"
                     "<b style='background:transparent;mso-highlight:transparent'>"},
        RecolourCase{"HighlightsOutsideTheFragmentAreRecolouredButNotStyleSheets",
                     "<style>i {background:a;mso-highlight:a}</style><div STYLE='background:a;mso-highlight:a'>", "aqua",
                     "<style>i {background:a;mso-highlight:a}</style><div STYLE='background:aqua;mso-highlight:aqua'>"},
        RecolourCase{"OnlyDeclarationsOfTheHighlightsOwnStyleChange",
                     "mso-highlight:old' <b title='background:x;mso-highlight:y' style='background:a;mso-highlight:b'>",
                     "lime", "mso-highlight:old' <b title='background:x;mso-highlight:y' style='background:lime;"
                     "mso-highlight:lime'>"},
        RecolourCase{"OneNoteLineKeepsThePagesBackground", OneNoteLine("aqua"), "lime", OneNoteLine("lime")},
        RecolourCase{"BrowserLineKeepsThePagesBackground", BrowserLine("aqua"), "yellow", BrowserLine("yellow")},
        RecolourCase{"StyleRunningPastItsTagIsNotAHighlight", Line("<i style='background:a;mso-highlight:a>x</i>'"),
                     "lime", kHead + "<!--StartFragment-->" + Span("lime") + "<i style='background:a;mso-highlight:a>x"
                     "</i>'</span><!--EndFragment-->" + kTail},
        RecolourCase{"BackgroundWithoutHighlightIsWrapped",
                     Line("<p style='background:white'>x</p>"), "yellow",
                     kHead + "<!--StartFragment-->" + Span("yellow") + "<p style='background:white'>x</p>"
                         "</span><!--EndFragment-->" + kTail},
        RecolourCase{"HighlightWithoutBackgroundIsWrapped",
                     Line("<p style='mso-highlight:aqua'>x</p>"), "lime",
                     kHead + "<!--StartFragment-->" + Span("lime") + "<p style='mso-highlight:aqua'>x</p>"
                         "</span><!--EndFragment-->" + kTail},
        RecolourCase{"SearchIsCaseSensitive",
                     Line("<p style='Background:aqua;MSO-Highlight:aqua'>x</p>"), "lime",
                     kHead + "<!--StartFragment-->" + Span("lime") +
                         "<p style='Background:aqua;MSO-Highlight:aqua'>x</p></span><!--EndFragment-->" + kTail},
        RecolourCase{"EndMarkerIsLookedForBehindTheStartMarker",
                     "<!--EndFragment-->a<!--StartFragment-->b<!--EndFragment-->c<!--EndFragment-->", "aqua",
                     "<!--EndFragment-->a<!--StartFragment-->" + Span("aqua") +
                         "b</span><!--EndFragment-->c<!--EndFragment-->"}),
    [](const testing::TestParamInfo<RecolourCase>& info) { return std::string(info.param.name); });

// Texts that lack what ends a declaration or delimits the fragment come back
// as they were, whole: a half-rewritten line must never be pasted.
struct BrokenCase {
    const char* name;
    std::string text;
};

void PrintTo(const BrokenCase& c, std::ostream* out) { *out << c.name; }

class RecolourBrokenHtmlTest : public testing::TestWithParam<BrokenCase> {};

TEST_P(RecolourBrokenHtmlTest, LeavesTextUnchanged) {
    const std::string& text = GetParam().text;
    EXPECT_EQ(RecolourHtml(text, "yellow"), text);
}

INSTANTIATE_TEST_SUITE_P(
    Broken, RecolourBrokenHtmlTest,
    testing::Values(
        BrokenCase{"Empty", ""},
        BrokenCase{"NoMarkers", "<html><body><p>text</p></body></html>"},
        BrokenCase{"NoEndMarker", "<!--StartFragment--><p>text</p>"},
        BrokenCase{"EndMarkerOnlyBeforeStart", "<!--EndFragment--><!--StartFragment--><p>text</p>"},
        BrokenCase{"NoStartMarker", "<p>text</p><!--EndFragment-->"},
        BrokenCase{"MarkersOverlapNothingBehind", "<!--StartFragment-->"},
        BrokenCase{"BackgroundAtTheVeryEnd", "mso-highlight:aqua' background:"},
        BrokenCase{"HighlightOnlyBeforeBackground", "mso-highlight:aqua' <p style='background:aqua;'>"},
        BrokenCase{"HighlightAtTheVeryEnd", "<p style='background:aqua;mso-highlight:aqua'"}),
    [](const testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });

TEST(RecolourHtml, EveryColourChangesOnlyTheHighlight) {
    for (const HighlightColour& colour : kHighlightColours)
        for (auto document : {OneNoteLine, BrowserLine})
            EXPECT_EQ(RecolourHtml(document("fuchsia"), colour.name), document(colour.name)) << colour.name;
}

TEST(RecolourHtml, AWrappedLineIsRecolouredNextTime) {
    std::string wrapped = RecolourHtml(Line("<p>x</p>"), "aqua");
    EXPECT_EQ(RecolourHtml(wrapped, "yellow"), RecolourHtml(Line("<p>x</p>"), "yellow"));
}

TEST(RecolourHtml, BytesOutsideAsciiPassUntouched) {
    const char bytes[] = "<p>\xC3\xA9t\xC3\xA9\0x</p>";
    std::string fragment(bytes, sizeof bytes - 1);
    std::string text = Line(fragment);
    std::string result = RecolourHtml(text, "lime");
    EXPECT_NE(result.find(Span("lime") + fragment + "</span>"), std::string::npos);
    EXPECT_EQ(result.size(), text.size() + Span("lime").size() + 7);
}

}  // namespace
