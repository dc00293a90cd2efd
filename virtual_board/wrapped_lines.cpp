#include "virtual_board/wrapped_lines.h"

namespace {

// count units of text from start. Unchecked, unlike substr, whose throw
// would link the C++ library's exception code into the virtual board.
std::u16string_view Part(std::u16string_view text, size_t start, size_t count) { return {text.data() + start, count}; }

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Where a line that does not fit whole ends: how many units of rest it
// takes, fit of them fitting (fit < rest.size()).
size_t BreakAt(std::u16string_view rest, size_t fit) {
  if (rest[fit] == u' ') return fit;
  for (size_t at = fit; at-- > 1;)
    if (rest[at] == u' ') return at;
  for (size_t at = fit; at-- > 0;)
    if (rest[at] == u'\\' || rest[at] == u'/') return at + 1;
  size_t length = fit > 0 ? fit : 1;
  if (length < rest.size() && IsHighSurrogate(rest[length - 1])) length = length > 1 ? length - 1 : length + 1;
  return length;
}

size_t WithoutTrailingBlanks(std::u16string_view line) {
  size_t length = line.size();
  while (length > 0 && line[length - 1] == u' ') --length;
  return length;
}

}  // namespace

size_t WrapLines(std::u16string_view text, TFittingUnits fitting, void* context, TLineSpan* lines, size_t maxLines) {
  size_t count = 0;
  const auto add = [&](size_t start, size_t length) {
    if (count < maxLines) lines[count] = TLineSpan{start, length};
    ++count;
  };
  for (size_t start = 0; start < text.size();) {
    const size_t newline = text.find(u'\n', start);
    const size_t next = newline == std::u16string_view::npos ? text.size() : newline + 1;
    size_t end = newline == std::u16string_view::npos ? text.size() : newline;
    if (end > start && text[end - 1] == u'\r') --end;
    size_t at = start;
    do {
      const std::u16string_view rest = Part(text, at, end - at);
      const size_t fit = fitting(rest, context);
      if (fit >= rest.size()) {
        add(at, rest.size());
        break;
      }
      const size_t length = BreakAt(rest, fit);
      add(at, WithoutTrailingBlanks(Part(rest, 0, length)));
      at += length;
      while (at < end && text[at] == u' ') ++at;
    } while (at < end);
    start = next;
  }
  return count;
}
