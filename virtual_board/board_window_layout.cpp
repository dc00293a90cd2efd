#include "virtual_board/board_window_layout.h"

#include <cstdio>

namespace {

constexpr char WidestLevel[] = "255";

int Max(int a, int b) { return a > b ? a : b; }

int TextWidth(HDC dc, const char* text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  return size.cx;
}

RECT Box(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

// The layout for dc, which has BoardFont selected.
TBoardLayout LayOutFor(HDC dc) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int line = Max(static_cast<int>(metrics.tmHeight), 1);
  int titleWidth = 0, nameWidth = 0, digitWidth = 0;
  for (int address = 0; address < 4; ++address) {
    char title[32];
    BoardTitle(address, title);
    titleWidth = Max(titleWidth, TextWidth(dc, title));
  }
  for (int bar = 0; bar < BoardBars; ++bar) {
    char name[16];
    BarName(bar, name);
    nameWidth = Max(nameWidth, TextWidth(dc, name));
  }
  for (char digit = '1'; digit < '1' + BoardLamps; ++digit) {
    const char number[2] = {digit, 0};
    digitWidth = Max(digitWidth, TextWidth(dc, number));
  }
  const int levelWidth = TextWidth(dc, WidestLevel);

  // At 96 DPI (a line of 13 pixels): a margin of 16, lamps of 22 with 13
  // between them, bars of 14.
  const int margin = line + line / 4, gap = line * 3 / 4;
  const int lampSize = Max(line * 17 / 10, digitWidth + 4), lampGap = line;
  const int barHeight = line, barGap = gap;
  const int lampRowWidth = BoardLamps * lampSize + (BoardLamps - 1) * lampGap;
  const int barWidth = Max(lampRowWidth - nameWidth - levelWidth - 2 * barGap, 4 * line);
  const int width = Max(Max(lampRowWidth, nameWidth + levelWidth + barWidth + 2 * barGap), titleWidth);

  TBoardLayout layout{};
  layout.Title = Box(margin, gap, titleWidth, line);
  const int lampTop = layout.Title.bottom + gap;
  for (int n = 0; n < BoardLamps; ++n) {
    const int left = margin + n * (lampSize + lampGap);
    layout.Lamps[n] = Box(left, lampTop, lampSize, lampSize);
    layout.LampLabels[n] = Box(left + (lampSize - digitWidth) / 2, lampTop + lampSize + 2, digitWidth, line);
  }
  int top = layout.LampLabels[0].bottom + gap;
  for (int bar = 0; bar < BoardBars; ++bar) {
    layout.BarNames[bar] = Box(margin, top, nameWidth, line);
    // The outline takes a pixel around the inside.
    layout.Bars[bar] = Box(margin + nameWidth + barGap + 1, top + 1, barWidth - 2, barHeight - 2);
    layout.Levels[bar] = Box(margin + width - levelWidth, top, levelWidth, line);
    top += line + line * 2 / 3;
  }
  layout.Client = SIZE{2 * margin + width, top - line * 2 / 3 + gap};
  return layout;
}

}  // namespace

HFONT BoardFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void BoardTitle(int address, char (&text)[32]) { std::snprintf(text, sizeof(text), "Card address %d", address); }

void BarName(int bar, char (&text)[16]) { std::snprintf(text, sizeof(text), "Analog %d", bar + 1); }

TBoardLayout LayOutBoard() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, BoardFont());
  const TBoardLayout layout = LayOutFor(dc);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return layout;
}
