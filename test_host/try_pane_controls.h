// The controls of try's pane, laid out for the module's ten channels: the
// eight digital outputs as check boxes in two rows of four, each analog
// output as a row of its name, a slider 0 ... 255 and the slider's level,
// and the status line at the bottom.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Channel k's check box or slider has the control id k.
inline int LevelLabelId(int channel) { return 100 + channel; }

// Makes the controls for names (channel 1 first; names past the tenth are
// left out) in pane, whose height is TTryPane::Height. Returns the status
// line, or null when a control could not be made.
HWND CreateChannelControls(HWND pane, const std::vector<std::string>& names);

// How many channels get a control.
size_t ControlledChannels(const std::vector<std::string>& names);
