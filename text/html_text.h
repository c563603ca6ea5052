// The text a reader of an HTML fragment sees, for the plain-text companion
// of a result on the clipboard: what a program without HTML pastes.
#pragma once

#include <string>

// UTF-8 in and out. Tags dropped, character references decoded (named and
// numeric), runs of white space of the markup made one space, a line break
// for <br> and between blocks (paragraphs, list items, rows, divisions).
std::string PlainTextOfHtml(const std::string& html);
