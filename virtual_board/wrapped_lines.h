// Breaks a text into lines that fit a width, for the board window's list
// of what the settings could not read. Portable: the caller measures, in
// the window's font under Windows.
#pragma once

#include <cstddef>
#include <string_view>

// One line of a text: where it starts and how many UTF-16 units it has.
struct TLineSpan {
  size_t Start;
  size_t Length;
};

// How many of text's first UTF-16 units fit the width (0 when not even the
// first does).
using TFittingUnits = size_t (*)(std::u16string_view text, void* context);

// The lines of text: a line ends at each '\n' (a '\r' before it is
// dropped), and wherever the rest does not fit: at the last blank that
// fits (blanks at a break are dropped), else after the last '\' or '/' (a
// path), else after the last unit that fits (at least one, never between
// the two halves of a surrogate pair). Writes up to maxLines lines and
// returns how many the text has: more than maxLines when some are left out.
// An empty text has no line.
size_t WrapLines(std::u16string_view text, TFittingUnits fitting, void* context, TLineSpan* lines, size_t maxLines);
