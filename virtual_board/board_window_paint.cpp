#include "virtual_board/board_window_paint.h"

#include <cstdio>

namespace {

const COLORREF Background = RGB(0xF0, 0xF0, 0xF0);
const COLORREF Outline = RGB(0x40, 0x40, 0x40);

void Text(HDC dc, RECT bounds, const char* text, UINT align) {
  DrawTextA(dc, text, -1, &bounds, align | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

void Fill(HDC dc, RECT area, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void Lamp(HDC dc, const TBoardLayout& layout, int n, bool on) {
  HBRUSH brush = CreateSolidBrush(on ? LampOn : LampOff);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  const RECT& lamp = layout.Lamps[n];
  Ellipse(dc, lamp.left, lamp.top, lamp.right, lamp.bottom);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  const char label[2] = {static_cast<char>('1' + n), 0};
  Text(dc, layout.LampLabels[n], label, DT_CENTER);
}

void Bar(HDC dc, const TBoardLayout& layout, int bar, int level) {
  char text[16];
  BarName(bar, text);
  Text(dc, layout.BarNames[bar], text, DT_LEFT);
  RECT inside = layout.Bars[bar];
  Fill(dc, {inside.left - 1, inside.top - 1, inside.right + 1, inside.bottom + 1}, Outline);
  const int filled = inside.left + level * (inside.right - inside.left) / AnalogMax;
  Fill(dc, {inside.left, inside.top, filled, inside.bottom}, BarFill);
  Fill(dc, {filled, inside.top, inside.right, inside.bottom}, BarEmpty);
  std::snprintf(text, sizeof(text), "%d", level);
  Text(dc, layout.Levels[bar], text, DT_RIGHT);
}

// Lines of a text of the layout; the last one ends in cutMark when given.
void Lines(HDC dc, const wchar_t* source, const TProblemLine* lines, int count, const wchar_t* cutMark) {
  for (int i = 0; i < count; ++i) {
    const TProblemLine& line = lines[i];
    wchar_t text[SettingsTextSize + sizeof(ProblemsCutMark) / sizeof(wchar_t)];
    lstrcpynW(text, source + line.Start, line.Length + 1);
    if (cutMark != nullptr && i == count - 1) lstrcatW(text, cutMark);
    RECT bounds = line.Bounds;
    DrawTextW(dc, text, -1, &bounds, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
}

// The settings' problems, in the warning's colour.
void Problems(HDC dc, const TBoardLayout& layout) {
  const COLORREF old = SetTextColor(dc, ProblemText);
  Lines(dc, layout.Problems, layout.ProblemLines, layout.ProblemLineCount,
        layout.ProblemsCut ? ProblemsCutMark : nullptr);
  SetTextColor(dc, old);
}

// The plug's status: a warning while the board is out or dropped.
void Status(HDC dc, const TBoardLayout& layout, TPlugStatus status) {
  const bool warning = IsPlugWarning(status);
  const COLORREF old = warning ? SetTextColor(dc, ProblemText) : 0;
  Lines(dc, layout.Status, layout.StatusLines, layout.StatusLineCount, nullptr);
  if (warning) SetTextColor(dc, old);
}

}  // namespace

void PaintBoard(HDC dc, const TBoardLayout& layout, int32_t address, uint32_t state, HFONT font,
                TPlugStatus status) {
  Fill(dc, {0, 0, layout.Client.cx, layout.Client.cy}, Background);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  char title[32];
  BoardTitle(static_cast<int>(address), title);
  Text(dc, layout.Title, title, DT_LEFT);
  Problems(dc, layout);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int n = 0; n < BoardLamps; ++n) Lamp(dc, layout, n, state >> n & 1);
  SelectObject(dc, oldPen);
  Bar(dc, layout, 0, state >> 8 & 0xFF);
  Bar(dc, layout, 1, state >> 16 & 0xFF);
  Status(dc, layout, status);
  SelectObject(dc, oldFont);
}
