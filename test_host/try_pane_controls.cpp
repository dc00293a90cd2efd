#include "test_host/try_pane_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "test_host/channel_levels.h"
#include "test_host/try_pane.h"

namespace {

constexpr size_t MaxChannels = 10;
constexpr int Margin = 12;
constexpr int CheckBoxWidth = 176, CheckBoxHeight = 20, CheckBoxColumns = 4, CheckBoxRowHeight = 24;
constexpr int AnalogTop = 64, AnalogRowHeight = 36;
constexpr int NameWidth = 160, SliderWidth = 460, SliderHeight = 30, LevelWidth = 40, TextHeight = 16;
constexpr int StatusHeight = 22;
constexpr int SliderPage = 16;

struct TBounds {
  int Left, Top, Width, Height;
};

HWND CreateControl(HWND pane, const char* className, const std::string& text, DWORD style, TBounds bounds, int id) {
  HWND control = CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.Left, bounds.Top,
                                 bounds.Width, bounds.Height, pane, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control != nullptr) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

bool CreateCheckBox(HWND pane, int channel, const std::string& name) {
  const int slot = channel - 1;
  const TBounds bounds{Margin + slot % CheckBoxColumns * (CheckBoxWidth + 4), 8 + slot / CheckBoxColumns * CheckBoxRowHeight,
                    CheckBoxWidth, CheckBoxHeight};
  const DWORD group = channel == 1 ? WS_GROUP : 0;
  return CreateControl(pane, "Button", name, BS_AUTOCHECKBOX | WS_TABSTOP | group, bounds, channel) != nullptr;
}

// The name, the slider and its level, in that order.
bool CreateSliderRow(HWND pane, int channel, const std::string& name) {
  const int top = AnalogTop + (channel - DigitalChannels - 1) * AnalogRowHeight;
  const int textTop = top + (SliderHeight - TextHeight) / 2;
  const int sliderLeft = Margin + NameWidth + 4;
  if (!CreateControl(pane, "Static", name, SS_LEFT | SS_NOPREFIX, {Margin, textTop, NameWidth, TextHeight}, -1))
    return false;
  HWND slider = CreateControl(pane, TRACKBAR_CLASSA, "", TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP | WS_GROUP,
                              {sliderLeft, top, SliderWidth, SliderHeight}, channel);
  if (slider == nullptr) return false;
  SendMessageA(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, AnalogMax));
  SendMessageA(slider, TBM_SETPAGESIZE, 0, SliderPage);
  SendMessageA(slider, TBM_SETTICFREQ, SliderPage, 0);
  return CreateControl(pane, "Static", "0", SS_LEFT, {sliderLeft + SliderWidth + 8, textTop, LevelWidth, TextHeight},
                       LevelLabelId(channel)) != nullptr;
}

}  // namespace

size_t ControlledChannels(const std::vector<std::string>& names) { return std::min(names.size(), MaxChannels); }

HWND CreateChannelControls(HWND pane, const std::vector<std::string>& names) {
  for (size_t i = 0; i < ControlledChannels(names); ++i) {
    const int channel = static_cast<int>(i + 1);
    const bool made = IsAnalogChannel(channel) ? CreateSliderRow(pane, channel, names[i])
                                               : CreateCheckBox(pane, channel, names[i]);
    if (!made) return nullptr;
  }
  const TBounds bounds{4, TTryPane::Height - StatusHeight - 4, 728, StatusHeight};
  return CreateControl(pane, "Static", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_SUNKEN | SS_CENTERIMAGE, bounds, -1);
}
