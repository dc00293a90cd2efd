#include "test_host/try/try_layout.h"

#include <algorithm>

namespace {

// Dialog units of the font: a quarter of its average character width
// across, an eighth of its line down.
struct TUnits {
  int CharWidth, TextHeight;
  int X(int units) const { return (units * CharWidth + 3) / 4; }
  int Y(int units) const { return (units * TextHeight + 7) / 8; }
};

constexpr int CheckBoxColumns[] = {4, 2, 1};

int RowWidth(int columns, int columnWidth, int margin, int gap) {
  return 2 * margin + columns * columnWidth + (columns - 1) * gap;
}

}  // namespace

TTryLayout LayOutTryPane(const TTryMeasures& m, size_t checkBoxes, size_t sliderRows) {
  const TUnits units{std::max(m.CharWidth, 1), std::max(m.TextHeight, 1)};
  const int margin = units.X(7), gap = units.X(6), textGap = units.X(4);
  // The box, a gap, the text, and a pixel each side for the focus rectangle.
  const int checkBoxWidth = m.CheckMark + textGap + m.CheckBoxTextWidth + 2;
  const int checkBoxHeight = std::max(m.CheckMark, m.TextHeight) + 4;
  const int sliderRowWidth = 2 * margin + m.SliderNameWidth + SliderMinWidth + m.LevelWidth + 2 * textGap;

  TTryLayout layout;
  layout.Width = std::max({m.MinWidth, sliderRowWidth, RowWidth(1, checkBoxWidth, margin, gap)});
  int columns = 1;
  for (int candidate : CheckBoxColumns) {
    if (RowWidth(candidate, checkBoxWidth, margin, gap) > layout.Width) continue;
    columns = candidate;
    break;
  }
  // The columns share the width; each box is as wide as its column.
  const int pitch = (layout.Width - 2 * margin + gap) / columns;
  int top = units.Y(5);
  for (size_t i = 0; i < checkBoxes; ++i) {
    const int column = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
    layout.CheckBoxes.push_back({margin + column * pitch, top + row * (checkBoxHeight + units.Y(3)), pitch - gap,
                                 checkBoxHeight});
  }
  if (!layout.CheckBoxes.empty()) top = layout.CheckBoxes.back().Bottom() + units.Y(7);

  const int rowHeight = std::max(m.SliderHeight, m.TextHeight);
  const int sliderLeft = margin + m.SliderNameWidth + textGap;
  const int levelLeft = layout.Width - margin - m.LevelWidth;
  for (size_t i = 0; i < sliderRows; ++i) {
    const int textTop = top + (rowHeight - m.TextHeight) / 2;
    layout.SliderRows.push_back({{margin, textTop, m.SliderNameWidth, m.TextHeight},
                                 {sliderLeft, top + (rowHeight - m.SliderHeight) / 2, levelLeft - textGap - sliderLeft,
                                  m.SliderHeight},
                                 {levelLeft, textTop, m.LevelWidth, m.TextHeight}});
    top += rowHeight + units.Y(3);
  }
  layout.Status = {StatusInset, top + units.Y(4), layout.Width - 2 * StatusInset, 0};
  return layout;
}
