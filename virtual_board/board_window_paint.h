// Draws the live window's picture of one board.
#pragma once

#include <windows.h>

#include <cstdint>

#include "virtual_board/board_model.h"
#include "virtual_board/board_window_layout.h"

// The board's state as the window keeps it: digital outputs 1 ... 8 in
// bits 0 ... 7, analog outputs 1 and 2 in bits 8 ... 15 and 16 ... 23,
// and whether the library dropped the board or its connection is gone.
inline constexpr uint32_t OutputBits = 0xFFFFFF;
inline constexpr uint32_t DroppedBit = 1u << 24;
inline constexpr uint32_t ConnectionLostBit = 1u << 25;
inline uint32_t PackBoardState(const TBoardOutputs& outputs, bool dropped, bool connectionLost) {
  return outputs.Digital | static_cast<uint32_t>(outputs.Analog[0]) << 8 |
         static_cast<uint32_t>(outputs.Analog[1]) << 16 | (dropped ? DroppedBit : 0) |
         (connectionLost ? ConnectionLostBit : 0);
}

inline constexpr COLORREF LampOn = RGB(0xFF, 0x20, 0x20);
inline constexpr COLORREF LampOff = RGB(0x60, 0x20, 0x20);
inline constexpr COLORREF BarFill = RGB(0x20, 0x80, 0xE0);
inline constexpr COLORREF BarEmpty = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF ProblemText = RGB(0xB0, 0x00, 0x00);  // a warning's dark red

// Draws on dc, in the window's layout and the font it was laid out in, with
// the plug's status whose lines the layout holds.
void PaintBoard(HDC dc, const TBoardLayout& layout, int32_t address, uint32_t state, HFONT font,
                TPlugStatus status);
