// Cost of re-colouring one copied line's HTML, and a whole large clipboard.
#include <string>

#include "bench/measure.h"

#include "features/highlight/recolour_html.h"

namespace {

volatile size_t gSink;

// Roughly what OneNote leaves on the clipboard for one copied line.
std::string Document(const std::string& fragment) {
    return "Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000000\r\n"
           "StartFragment:0000000000\r\nEndFragment:0000000000\r\n"
           "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns=\"http://www.w3.org/TR/REC-html40\"><head>\r\n"
           "<meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">\r\n"
           "<meta name=Generator content=\"Microsoft OneNote 15\">\r\n</head>\r\n"
           "<body lang=fr style='font-family:Calibri;font-size:11.0pt'>\r\n"
           "<!--StartFragment-->\r\n" + fragment + "\r\n<!--EndFragment-->\r\n</body>\r\n</html>\r\n";
}

const char kPlainParagraph[] =
    "<p style='margin:0in;font-family:Calibri;font-size:11.0pt'>Compte rendu de la r\xC3\xA9union "
    "du lundi, points \xC3\xA0 reprendre avec l'\xC3\xA9quipe</p>\r\n";
const char kHighlightedParagraph[] =
    "<p style='margin:0in;font-family:Calibri;font-size:11.0pt'><span "
    "style='background:yellow;mso-highlight:yellow'>Compte rendu de la r\xC3\xA9union</span> "
    "du lundi, <span style='background:aqua;mso-highlight:aqua'>points</span> \xC3\xA0 reprendre</p>\r\n";

std::string Repeated(const char* paragraph, size_t bytes) {
    std::string fragment;
    while (fragment.size() < bytes) fragment += paragraph;
    return fragment;
}

void Measure(const char* what, const std::string& text, long calls) {
    Report("RecolourHtml", what + (" (" + std::to_string(text.size()) + " bytes)"), "ns/call",
           NanosecondsPerCall(9, calls, [&](long i) { gSink = RecolourHtml(text, (i & 1) ? "lime" : "fuchsia").size(); }));
}

}  // namespace

int main() {
    Measure("a plain line (wrapped)", Document(kPlainParagraph), 20000);
    Measure("a highlighted line (re-coloured in place)", Document(kHighlightedParagraph), 20000);
    Measure("1 MB of plain paragraphs (wrapped)", Document(Repeated(kPlainParagraph, 1 << 20)), 20);
    Measure("1 MB of highlighted paragraphs (re-coloured)", Document(Repeated(kHighlightedParagraph, 1 << 20)),
            20);
    Measure("1 MB without fragment markers (unchanged)", Repeated(kPlainParagraph, 1 << 20), 20);
    return 0;
}
