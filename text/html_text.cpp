#include "text/html_text.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "text/encoding.h"

namespace {

// HTML 4's named references: the Latin-1 ones stand for 160 to 255 in order.
const char* const kLatin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct NamedReference {
    const char* name;
    char32_t code;
};
const NamedReference kOtherNames[] = {
    {"quot", 34},      {"amp", 38},      {"apos", 39},      {"lt", 60},       {"gt", 62},       {"OElig", 338},
    {"oelig", 339},    {"Scaron", 352},  {"scaron", 353},   {"Yuml", 376},    {"fnof", 402},    {"circ", 710},
    {"tilde", 732},    {"Alpha", 913},   {"Beta", 914},     {"Gamma", 915},   {"Delta", 916},   {"Epsilon", 917},
    {"Zeta", 918},     {"Eta", 919},     {"Theta", 920},    {"Iota", 921},    {"Kappa", 922},   {"Lambda", 923},
    {"Mu", 924},       {"Nu", 925},      {"Xi", 926},       {"Omicron", 927}, {"Pi", 928},      {"Rho", 929},
    {"Sigma", 931},    {"Tau", 932},     {"Upsilon", 933},  {"Phi", 934},     {"Chi", 935},     {"Psi", 936},
    {"Omega", 937},    {"alpha", 945},   {"beta", 946},     {"gamma", 947},   {"delta", 948},   {"epsilon", 949},
    {"zeta", 950},     {"eta", 951},     {"theta", 952},    {"iota", 953},    {"kappa", 954},   {"lambda", 955},
    {"mu", 956},       {"nu", 957},      {"xi", 958},       {"omicron", 959}, {"pi", 960},      {"rho", 961},
    {"sigmaf", 962},   {"sigma", 963},   {"tau", 964},      {"upsilon", 965}, {"phi", 966},     {"chi", 967},
    {"psi", 968},      {"omega", 969},   {"thetasym", 977}, {"upsih", 978},   {"piv", 982},     {"ensp", 8194},
    {"emsp", 8195},    {"thinsp", 8201}, {"zwnj", 8204},    {"zwj", 8205},    {"lrm", 8206},    {"rlm", 8207},
    {"ndash", 8211},   {"mdash", 8212},  {"lsquo", 8216},   {"rsquo", 8217},  {"sbquo", 8218},  {"ldquo", 8220},
    {"rdquo", 8221},   {"bdquo", 8222},  {"dagger", 8224},  {"Dagger", 8225}, {"bull", 8226},   {"hellip", 8230},
    {"permil", 8240},  {"prime", 8242},  {"Prime", 8243},   {"lsaquo", 8249}, {"rsaquo", 8250}, {"oline", 8254},
    {"frasl", 8260},   {"euro", 8364},   {"image", 8465},   {"weierp", 8472}, {"real", 8476},   {"trade", 8482},
    {"alefsym", 8501}, {"larr", 8592},   {"uarr", 8593},    {"rarr", 8594},   {"darr", 8595},   {"harr", 8596},
    {"crarr", 8629},   {"lArr", 8656},   {"uArr", 8657},    {"rArr", 8658},   {"dArr", 8659},   {"hArr", 8660},
    {"forall", 8704},  {"part", 8706},   {"exist", 8707},   {"empty", 8709},  {"nabla", 8711},  {"isin", 8712},
    {"notin", 8713},   {"ni", 8715},     {"prod", 8719},    {"sum", 8721},    {"minus", 8722},  {"lowast", 8727},
    {"radic", 8730},   {"prop", 8733},   {"infin", 8734},   {"ang", 8736},    {"and", 8743},    {"or", 8744},
    {"cap", 8745},     {"cup", 8746},    {"int", 8747},     {"there4", 8756}, {"sim", 8764},    {"cong", 8773},
    {"asymp", 8776},   {"ne", 8800},     {"equiv", 8801},   {"le", 8804},     {"ge", 8805},     {"sub", 8834},
    {"sup", 8835},     {"nsub", 8836},   {"sube", 8838},    {"supe", 8839},   {"oplus", 8853},  {"otimes", 8855},
    {"perp", 8869},    {"sdot", 8901},   {"lceil", 8968},   {"rceil", 8969},  {"lfloor", 8970}, {"rfloor", 8971},
    {"lang", 9001},    {"rang", 9002},   {"loz", 9674},     {"spades", 9824}, {"clubs", 9827},  {"hearts", 9829},
    {"diams", 9830}};

// Elements whose start or end begins a new line of text.
const char* const kBlockElements[] = {"p",  "div", "li", "tr", "h1",    "h2",         "h3", "h4",
                                      "h5", "h6",  "ul", "ol", "table", "blockquote", "pre"};

char32_t NamedCode(std::string_view name) {
    if (name == "nbsp") return U' ';  // pasted as plain text, a space is what the reader sees
    for (size_t i = 0; i < 96; ++i)
        if (name == kLatin1Names[i]) return static_cast<char32_t>(160 + i);
    for (const NamedReference& reference : kOtherNames)
        if (name == reference.name) return reference.code;
    return 0;
}

// "&...;" at `at`: its character and length, or 0 when it is none.
char32_t DecodeReference(const std::string& html, size_t at, size_t& length) {
    size_t end = html.find(';', at);
    if (end == std::string::npos || end - at > 12 || end == at + 1) return 0;
    std::string body = html.substr(at + 1, end - at - 1);
    char32_t code = 0;
    if (body[0] == '#') {
        bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
        const char* digits = body.c_str() + (hex ? 2 : 1);
        char* stop = nullptr;
        unsigned long value = std::strtoul(digits, &stop, hex ? 16 : 10);
        if (*digits == 0 || *stop != 0 || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return 0;
        code = static_cast<char32_t>(value);
    } else {
        code = NamedCode(body);
    }
    if (code) length = end - at + 1;
    return code;
}

bool IsBlockTag(const std::string& tag) {
    size_t from = tag.find_first_not_of("</");
    size_t to = tag.find_first_of(" \t\r\n/>", from);
    if (from == std::string::npos) return false;
    std::string name = tag.substr(from, to == std::string::npos ? std::string::npos : to - from);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "br") return true;
    for (const char* block : kBlockElements)
        if (name == block) return true;
    return false;
}

void AddBreak(std::string& text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (!text.empty() && text.back() != '\n') text += "\r\n";
}

void AddSpace(std::string& text) {
    if (!text.empty() && text.back() != ' ' && text.back() != '\n') text += ' ';
}

}  // namespace

bool FindFragment(std::string_view html, size_t& start, size_t& end) {
    start = html.find(kFragmentStartMarker);
    if (start == std::string_view::npos) return false;
    start += kFragmentStartMarker.size();
    end = html.find(kFragmentEndMarker, start);
    return end != std::string_view::npos;
}

std::string PlainTextOfHtml(const std::string& html) {
    std::string text;
    for (size_t i = 0; i < html.size();) {
        char c = html[i];
        if (c == '<') {
            size_t close = html.find('>', i);
            if (close != std::string::npos) {
                bool isBreak = IsBlockTag(html.substr(i, close - i + 1));
                bool isLineBreak = html.compare(i, 3, "<br") == 0 || html.compare(i, 3, "<BR") == 0;
                if (isLineBreak) text += "\r\n";
                else if (isBreak) AddBreak(text);
                i = close + 1;
                continue;
            }
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            AddSpace(text);
            ++i;
            continue;
        }
        size_t length = 0;
        char32_t code = c == '&' ? DecodeReference(html, i, length) : 0;
        if (code) {
            AppendUtf8(text, code);
            i += length;
            continue;
        }
        text += c;
        ++i;
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r')) text.pop_back();
    size_t first = text.find_first_not_of(" \r\n");
    return first == std::string::npos ? std::string() : text.substr(first);
}
