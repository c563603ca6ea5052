// Arbitrary clipboard text, re-coloured with one of the line highlighter's
// colours (chosen by the first byte).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "features/highlight/highlight_line.h"
#include "features/highlight/recolour_html.h"

namespace {

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool HasFragment(const std::string& text) {
    size_t start = text.find("<!--StartFragment-->");
    return start != std::string::npos && text.find("<!--EndFragment-->", start + 20) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string colour = kHighlightColours[data[0] % 5].name;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string result = RecolourHtml(text, colour);

    if (Has(text, "background:") && Has(text, "mso-highlight:")) {
        // Re-colouring what is already re-coloured changes nothing.
        if (RecolourHtml(result, colour) != result) std::abort();
        return 0;
    }
    if (!HasFragment(text)) {
        if (result != text) std::abort();
        return 0;
    }
    const std::string span = "<span style='background:" + colour + ";mso-highlight:" + colour + "'>";
    if (result.find(span) == std::string::npos) std::abort();
    if (result.size() != text.size() + span.size() + 7) std::abort();
    return 0;
}
