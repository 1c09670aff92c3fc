#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// The report text broken into the lines and pages of the printed body.
//
// The text is the view's: UTF-16, u'\n' between lines. A lone CR or LF of
// the file (U+DC0D, U+DC0A), a u'\r' and the line and paragraph separators
// break the line as well, as they would in a plain-text printer; the GBK
// codec's byte escapes (U+DC80..U+DCFF), any other lone surrogate and the
// control characters other than the tab print as nothing.

// A piece of a printed line drawn in one go: no tab and nothing unprintable
// inside. `x` is its left edge from the body's left edge.
struct PrintRun
{
    std::uint32_t start = 0; // UTF-16 index into the text
    std::uint32_t length = 0; // UTF-16 units
    double x = 0;
};

struct PrintLine
{
    std::uint32_t firstRun = 0;
    std::uint32_t runCount = 0;
};

struct PrintLayout
{
    std::vector<PrintRun> runs;
    std::vector<PrintLine> lines;
};

// The width of one character (a code point) in the body font.
using CharAdvance = std::function<double(char32_t)>;

// Breaks every line of `text` to `width`: at the last white space that fits
// (the white space at the break is not carried to the next line), and a
// word longer than the width at the width; a line holds at least one
// character. Tabs stop every `tabWidth`. A line break at the very end of the
// text starts no further line, so the last line holds the last character.
PrintLayout LayOutText(
    std::u16string_view text, double width, double tabWidth, const CharAdvance& advance);

// Whole lines of `pitch` that fit `height`; at least one, so that printing
// always goes forward.
int LinesPerPage(double height, double pitch);

// Pages for `lines` lines; an empty report still prints one page.
int PageCount(std::size_t lines, int linesPerPage);

// Characters the wrapping treats as white space.
bool IsPrintSpace(char32_t c);
