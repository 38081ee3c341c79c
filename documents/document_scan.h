// Finding a game's entry in history.dat and mameinfo.dat. Pure scanners over
// a byte range [begin, end) (the mapped file); they never read outside it.
#pragma once

#include <cstddef>
#include <string>

#include "db/rom_name.h"

namespace quillet {

// The name buffers of the document commands hold the catalogue's longest
// short name and the zero.
constexpr size_t kRomNameLength = kLongestRomName;

// Where an entry's text lies inside the scanned range.
struct DocumentSpan {
    const char* begin = nullptr;
    const char* end = nullptr;
};

// Both searches look at the lines that begin with "$info=" and compare the
// first name behind it (up to a comma, a carriage return or a line feed)
// with `name`, ignoring ASCII case. On a match they step over the marker
// line and the tag lines after it (lines beginning with '$', such as "$bio"
// or "$mame"; mameinfo.dat also has blank lines before its tag), and the
// text runs up to the first "$end", or to the end of the range when there is
// none. A leading UTF-8 byte-order mark is stepped over.
//
// history.dat: "$info=name,clone,...", optional tag lines, text, "$end".
// An entry listing the name second or later is not the game's.
bool FindHistoryText(const char* begin, const char* end, const char* name, DocumentSpan* text);
// mameinfo.dat: "$info=name", blank space, tag lines, text, "$end".
bool FindInfoText(const char* begin, const char* end, const char* name, DocumentSpan* text);

// The text with a carriage return put before every line feed that lacks one,
// so that an edit control breaks the lines of files saved with LF only.
std::string WithCrLfLineEnds(const char* begin, const char* end);

}  // namespace quillet
