// The board window's line breaking: at blanks, then in paths, then
// anywhere, every line within the width, and a line never ends inside a
// surrogate pair.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "virtual_board/wrapped_lines.h"

namespace {

// Each UTF-16 unit one wide.
size_t FittingUnits(std::u16string_view text, void* context) {
  const size_t width = *static_cast<size_t*>(context);
  return text.size() < width ? text.size() : width;
}

struct TWrapped {
  std::vector<std::string> Lines;  // ASCII as it is, any other unit as '#'
  size_t Count;
};

TWrapped Wrap(std::u16string_view text, size_t width, size_t maxLines = 32) {
  std::vector<TLineSpan> spans(maxLines);
  TWrapped wrapped{{}, WrapLines(text, FittingUnits, &width, spans.data(), maxLines)};
  for (size_t i = 0; i < wrapped.Count && i < maxLines; ++i) {
    std::string line;
    const std::u16string_view units = text.substr(spans[i].Start, spans[i].Length);
    for (const char16_t unit : units) line += unit < 0x80 ? static_cast<char>(unit) : '#';
    // One character may be wider than the line: it takes a line of its own.
    const bool oneCharacter = units.size() == 1 || (units.size() == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF);
    if (line.size() > width && !oneCharacter) ADD_FAILURE() << "\"" << line << "\" is wider than " << width;
    wrapped.Lines.push_back(line);
  }
  return wrapped;
}

using TLines = std::vector<std::string>;

TEST(WrappedLines, BreakAtBlanksThenInPathsThenAnywhere) {
  EXPECT_EQ(Wrap(u"one two  three four", 9).Lines, (TLines{"one two", "three", "four"}));
  EXPECT_EQ(Wrap(u"one two", 3).Lines, (TLines{"one", "two"})) << "a blank just past the width";
  EXPECT_EQ(Wrap(u"call record C:\\Users\\someone\\Documents\\calls.txt cannot be opened", 12).Lines,
            (TLines{"call record", "C:\\Users\\", "someone\\", "Documents\\", "calls.txt", "cannot be", "opened"}));
  EXPECT_EQ(Wrap(u"D:/a/b/c", 5).Lines, (TLines{"D:/a/", "b/c"}));
  EXPECT_EQ(Wrap(u"abcdefghij", 4).Lines, (TLines{"abcd", "efgh", "ij"}));
  EXPECT_EQ(Wrap(u"abc", 10).Lines, (TLines{"abc"}));
}

TEST(WrappedLines, LineEndsAndEmptyTexts) {
  EXPECT_EQ(Wrap(u"first\r\n\r\nsecond line\nthird", 8).Lines, (TLines{"first", "", "second", "line", "third"}));
  EXPECT_EQ(Wrap(u"last\n", 8).Lines, (TLines{"last"}));
  EXPECT_EQ(Wrap(u"", 8).Count, 0u);
}

// Too narrow for even one unit, a line still takes one, so the text ends.
TEST(WrappedLines, NarrowerThanOneUnitStillMovesOn) {
  EXPECT_EQ(Wrap(u"ab c", 0).Lines, (TLines{"a", "b", "c"}));
}

TEST(WrappedLines, NeverSplitASurrogatePair) {
  const std::u16string face = u"\U0001F600";  // two units
  EXPECT_EQ(Wrap(u"ab" + face + u"cd", 3).Lines, (TLines{"ab", "##c", "d"}));
  EXPECT_EQ(Wrap(face + face, 1).Lines, (TLines{"##", "##"})) << "a pair wider than the line takes one line";
}

TEST(WrappedLines, CountsTheLinesLeftOut) {
  const TWrapped wrapped = Wrap(u"a b c d e", 1, 3);
  EXPECT_EQ(wrapped.Count, 5u);
  EXPECT_EQ(wrapped.Lines, (TLines{"a", "b", "c"}));
}

}  // namespace
