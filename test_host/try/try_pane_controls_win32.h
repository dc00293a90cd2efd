// The controls of try's pane, for the module's ten channels: a check box
// per digital output, each analog output as a row of its name, a slider
// 0 ... 255 and the slider's level, and the status line at the bottom.
// They are placed from what they show, measured in their font
// (test_host/try/try_layout.h).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Channel k's check box or slider has the control id k.
inline int LevelLabelId(int channel) { return 100 + channel; }
inline int NameLabelId(int channel) { return 200 + channel; }
inline constexpr int StatusLineId = 300;

// Makes the controls for names (channel 1 first; names past the tenth are
// left out) in pane, in font, not placed yet. Returns the status line, or
// null when a control could not be made.
HWND CreateChannelControls(HWND pane, const std::vector<std::string>& names, HFONT font);

// Places the controls that CreateChannelControls made for channels 1 ...
// channels in pane, which is at least minWidth wide, with the status line
// as high as the widest of statusTexts needs, in their fonts and the
// system's sizes at dpi. Returns the pane's size.
SIZE PlaceChannelControls(HWND pane, int channels, const std::vector<std::string>& statusTexts, int minWidth,
                          UINT dpi);

// How many channels get a control.
size_t ControlledChannels(const std::vector<std::string>& names);
