// Where try's channel controls go, worked out from the sizes of what they
// show in the font in use, so that no text is cut or covered whatever the
// display's scaling makes of the font: spacing in dialog units of that
// font, check boxes in four, two or one columns, whichever fit the width.
#pragma once

#include <cstddef>
#include <vector>

struct TBox {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
};

// What the controls need, in pixels of the font and system in use.
struct TTryMeasures {
  int TextHeight = 0;         // a line of the font
  int CharWidth = 0;          // its average character width
  int CheckMark = 0;          // the square of a check box
  int CheckBoxTextWidth = 0;  // the widest check box name
  int SliderNameWidth = 0;    // the widest slider name
  int LevelWidth = 0;         // the widest level, "255"
  int SliderHeight = 0;       // a slider with its thumb and ticks
  int MinWidth = 0;           // the pane at least as wide as this
};

// The status line's inset from the pane's edges, as the panel's from the
// host window's.
inline constexpr int StatusInset = 4;

struct TSliderRow {
  TBox Name, Slider, Level;
};

struct TTryLayout {
  int Width = 0;  // the pane's
  std::vector<TBox> CheckBoxes;
  std::vector<TSliderRow> SliderRows;
  TBox Status;  // its height is the caller's: FitStatus
  int Height() const { return Status.Bottom() + StatusInset; }
};

// A slider's track never gets shorter than this: one pixel per level.
inline constexpr int SliderMinWidth = 256;

TTryLayout LayOutTryPane(const TTryMeasures& measures, size_t checkBoxes, size_t sliderRows);

