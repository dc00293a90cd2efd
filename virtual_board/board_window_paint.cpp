#include "virtual_board/board_window_paint.h"

#include <cstdio>

namespace {

const COLORREF Background = RGB(0xF0, 0xF0, 0xF0);
const COLORREF Outline = RGB(0x40, 0x40, 0x40);

void Text(HDC dc, int left, int top, const char* text) { TextOutA(dc, left, top, text, lstrlenA(text)); }

void Fill(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  const RECT area{left, top, left + width, top + height};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void Lamp(HDC dc, int n, bool on) {
  HBRUSH brush = CreateSolidBrush(on ? LampOn : LampOff);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Ellipse(dc, LampLeft(n), LampTop, LampLeft(n) + LampSize, LampTop + LampSize);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  char label[2] = {static_cast<char>('0' + n), 0};
  Text(dc, LampLeft(n) + LampSize / 2 - 3, LampTop + LampSize + 2, label);
}

void Bar(HDC dc, int n, int level) {
  char text[24];
  std::snprintf(text, sizeof(text), "Analog %d", n);
  Text(dc, 16, BarTop(n), text);
  const int filled = level * BarWidth / 255;
  Fill(dc, BarLeft - 1, BarTop(n) - 1, BarWidth + 2, BarHeight + 2, Outline);
  Fill(dc, BarLeft, BarTop(n), filled, BarHeight, BarFill);
  Fill(dc, BarLeft + filled, BarTop(n), BarWidth - filled, BarHeight, BarEmpty);
  std::snprintf(text, sizeof(text), "%3d", level);
  Text(dc, BarLeft + BarWidth + 8, BarTop(n), text);
}

}  // namespace

void PaintBoard(HDC dc, int32_t address, uint32_t state) {
  Fill(dc, 0, 0, BoardClientWidth, BoardClientHeight, Background);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  char title[32];
  std::snprintf(title, sizeof(title), "Card address %d", static_cast<int>(address));
  Text(dc, 16, 10, title);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int n = 1; n <= 8; ++n) Lamp(dc, n, state >> (n - 1) & 1);
  SelectObject(dc, oldPen);
  Bar(dc, 1, state >> 8 & 0xFF);
  Bar(dc, 2, state >> 16 & 0xFF);
  SelectObject(dc, oldFont);
}
