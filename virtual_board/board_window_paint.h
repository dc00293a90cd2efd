// Draws the live window's picture of one board.
#pragma once

#include <windows.h>

#include <cstdint>

// The board's state as the window keeps it: digital outputs 1 ... 8 in
// bits 0 ... 7, analog outputs 1 and 2 in bits 8 ... 15 and 16 ... 23.
inline uint32_t PackBoardState(uint8_t digital, int32_t analog1, int32_t analog2) {
  return digital | static_cast<uint32_t>(analog1 & 0xFF) << 8 | static_cast<uint32_t>(analog2 & 0xFF) << 16;
}

inline constexpr int BoardClientWidth = 300;
inline constexpr int BoardClientHeight = 124;

// Lamp n (1 ... 8) is a circle of LampSize at LampLeft(n), LampTop.
inline constexpr int LampSize = 22;
inline constexpr int LampTop = 34;
inline constexpr int LampLeft(int n) { return 16 + (n - 1) * 35; }
// Analog bar n (1, 2): 0 ... 255 across BarWidth from BarLeft, at BarTop(n).
inline constexpr int BarLeft = 76;
inline constexpr int BarWidth = 172;
inline constexpr int BarHeight = 14;
inline constexpr int BarTop(int n) { return 80 + (n - 1) * 22; }

inline constexpr COLORREF LampOn = RGB(0xFF, 0x20, 0x20);
inline constexpr COLORREF LampOff = RGB(0x60, 0x20, 0x20);
inline constexpr COLORREF BarFill = RGB(0x20, 0x80, 0xE0);
inline constexpr COLORREF BarEmpty = RGB(0xFF, 0xFF, 0xFF);

void PaintBoard(HDC dc, int32_t address, uint32_t state);
