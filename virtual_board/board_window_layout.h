// Where the live window of a board draws its parts, worked out from its
// texts measured in its font, so that no text is cut or covered whatever
// the display's scaling makes of the font: sizes and spacing follow the
// font's line height, text places the texts' widths.
#pragma once

#include <windows.h>

inline constexpr int BoardLamps = 8;
inline constexpr int BoardBars = 2;

struct TBoardLayout {
  SIZE Client;                  // the window's client area
  RECT Title;                   // "Card address N"
  RECT Lamps[BoardLamps];       // output n's circle
  RECT LampLabels[BoardLamps];  // its number below it
  RECT BarNames[BoardBars];     // "Analog n"
  RECT Bars[BoardBars];         // level 0 ... 255 across the inside, an outline around it
  RECT Levels[BoardBars];       // the level, "0" ... "255", at the right
};

// The font the window draws with (and gives for WM_GETFONT).
HFONT BoardFont();

// The texts, for drawing and for measuring.
void BoardTitle(int address, char (&text)[32]);
void BarName(int bar, char (&text)[16]);  // bar 0, 1: "Analog 1", "Analog 2"

// The layout, measured on a screen DC in BoardFont. The same for every card
// address, so that the windows are alike.
TBoardLayout LayOutBoard();

// A test's query to a board window of its own process: lParam points to a
// TBoardLayout that receives the window's layout; the result is 1.
inline constexpr UINT WmQueryBoardLayout = WM_APP + 16;
