// Rewriting a copied line's "HTML Format" text so that it carries a
// background colour.
#pragma once

#include <string>

std::string RecolourHtml(const std::string& text, const std::string& colourName);
