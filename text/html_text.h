// HTML as text: where the fragment of a document lies, and what a reader
// sees of it, for the plain-text companion of a result on the clipboard
// (what a program without HTML pastes).
#pragma once

#include <string>
#include <string_view>

// The comments that bound the fragment of an "HTML Format" document.
constexpr std::string_view kFragmentStartMarker = "<!--StartFragment-->";
constexpr std::string_view kFragmentEndMarker = "<!--EndFragment-->";

// The fragment as html[start, end): after the first start marker, up to the
// first end marker behind it. False when either is missing.
bool FindFragment(std::string_view html, size_t& start, size_t& end);

// UTF-8 in and out. Tags dropped, character references decoded (named and
// numeric), runs of white space of the markup made one space, a line break
// for <br> and between blocks (paragraphs, list items, rows, divisions).
std::string PlainTextOfHtml(const std::string& html);
