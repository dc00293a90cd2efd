// Where the live window of a board draws its parts, worked out from its
// texts measured in its font, so that no text is cut or covered whatever
// the display's scaling makes of the font: sizes and spacing follow the
// font's line height, text places the texts' widths.
#pragma once

#include <windows.h>

#include "module/module_abi.h"
#include "virtual_board/board_settings.h"

inline constexpr int BoardLamps = DigitalChannels;
inline constexpr int BoardBars = AnalogChannels;
inline constexpr int MaxProblemLines = 32;
inline constexpr int MaxStatusLines = 6;
inline constexpr wchar_t ProblemsCutMark[] = L"...";

// A virtual board's plug as its window tells it; a forwarded board's window
// (a real board) has none.
enum class TPlugStatus : uint8_t { None, PluggedIn, PulledOut, PulledOutDropped, BackLost, BackDropped };
inline constexpr TPlugStatus PlugStatuses[] = {TPlugStatus::PluggedIn, TPlugStatus::PulledOut,
                                               TPlugStatus::PulledOutDropped, TPlugStatus::BackLost,
                                               TPlugStatus::BackDropped};

// The status for a board pulled out or not, which the library has dropped,
// or whose connection died with an unplugging since it was opened.
TPlugStatus PlugStatusOf(bool pulledOut, bool dropped, bool connectionLost);
// What the window says of it, and its button's caption; "" for None.
const char* PlugStatusText(TPlugStatus status);
const char* PlugButtonText(TPlugStatus status);
// Whether the status is one the user should notice (drawn as a warning).
bool IsPlugWarning(TPlugStatus status);

// A line of the settings' problems as the window shows it: its place, and
// its units of TBoardLayout::Problems.
struct TProblemLine {
  RECT Bounds;
  int Start;
  int Length;
};

struct TBoardLayout {
  SIZE Client;                  // the window's client area
  RECT Title;                   // "Card address N"
  bool Pluggable;               // a virtual board's window, with its plug's button and status
  RECT PlugButton;              // right of the title: "Unplug" or "Plug in"
  // What the settings could not read (TBoardSettings::Problems), below the
  // title: a paragraph each, wrapped to the window's width. When they need
  // more lines than fit, the last line shown ends in ProblemsCutMark.
  wchar_t Problems[SettingsTextSize];
  TProblemLine ProblemLines[MaxProblemLines];
  int ProblemLineCount;
  bool ProblemsCut;
  RECT Lamps[BoardLamps];       // output n's circle
  RECT LampLabels[BoardLamps];  // its number below it
  RECT BarNames[BoardBars];     // "Analog n"
  RECT Bars[BoardBars];         // level 0 ... AnalogMax across the inside, an outline around it
  RECT Levels[BoardBars];       // the level, "0" ... "255", at the right
  // Below the bars: room for the longest status, and the lines of the one
  // shown now (LayOutPlugStatus), in units of Status.
  RECT StatusArea;
  wchar_t Status[SettingsTextSize];
  TProblemLine StatusLines[MaxStatusLines];
  int StatusLineCount;
};

// The font a window at the system's DPI draws with (and gives for
// WM_GETFONT).
HFONT BoardFont();

// The texts, for drawing and for measuring.
void BoardTitle(int address, char (&text)[32]);
void BarName(int bar, char (&text)[16]);  // bar 0, 1: "Analog 1", "Analog 2"

// The layout for problems (UTF-8, a line each; "" for none), measured on a
// screen DC in font (BoardFont, or one made for the window's DPI): the same
// width for every card address and any problems, so that the windows are
// alike; the problems' lines make it taller, up to maxClientHeight, where
// lines that do not fit are left out. A pluggable board's window has its
// plug's button and status too, shown as status.
void LayOutBoard(const char* problems, bool pluggable, int maxClientHeight, TBoardLayout& layout,
                 HFONT font = BoardFont(), TPlugStatus status = TPlugStatus::PluggedIn);
// The status's lines in the layout's status area, for a status that changed.
void LayOutPlugStatus(TPlugStatus status, TBoardLayout& layout, HFONT font);

// A diagnostic query to a board window from a thread of its own process:
// lParam points to a TBoardLayout that receives the window's layout; the
// result is 1. Kept in the released board, so that the layout tests check
// the windows that users get rather than a build of their own.
inline constexpr UINT WmQueryBoardLayout = WM_APP + 16;
