#include "test_host/try/try_pane_controls_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "test_host/session/channel_levels.h"
#include "test_host/try/try_layout.h"
#include "windows/window_dpi_win32.h"

namespace {

constexpr size_t MaxChannels = 10;
constexpr int SliderPage = 16;
constexpr char WidestLevel[] = "255";

HWND CreateControl(HWND pane, const char* className, const std::string& text, DWORD style, int id, HFONT font) {
  HWND control = CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, pane,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (control != nullptr) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

bool CreateCheckBox(HWND pane, int channel, const std::string& name, HFONT font) {
  const DWORD group = channel == 1 ? WS_GROUP : 0;
  return CreateControl(pane, "Button", name, BS_AUTOCHECKBOX | WS_TABSTOP | group, channel, font) != nullptr;
}

// The name, the slider and its level, in that order.
bool CreateSliderRow(HWND pane, int channel, const std::string& name, HFONT font) {
  if (!CreateControl(pane, "Static", name, SS_LEFT | SS_NOPREFIX, NameLabelId(channel), font)) return false;
  HWND slider = CreateControl(pane, TRACKBAR_CLASSA, "",
                              TBS_HORZ | TBS_AUTOTICKS | TBS_FIXEDLENGTH | WS_TABSTOP | WS_GROUP, channel, font);
  if (slider == nullptr) return false;
  SendMessageA(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, AnalogMax));
  SendMessageA(slider, TBM_SETPAGESIZE, 0, SliderPage);
  SendMessageA(slider, TBM_SETTICFREQ, SliderPage, 0);
  return CreateControl(pane, "Static", "0", SS_RIGHT, LevelLabelId(channel), font) != nullptr;
}

std::string WindowText(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

// Texts measured on a DC of the pane in the font of a control.
class TTextMeasure {
 public:
  explicit TTextMeasure(HWND pane) : Pane_(pane), Dc_(GetDC(pane)) {}
  ~TTextMeasure() {
    if (Original_ != nullptr) SelectObject(Dc_, Original_);
    ReleaseDC(Pane_, Dc_);
  }
  TTextMeasure(const TTextMeasure&) = delete;
  TTextMeasure& operator=(const TTextMeasure&) = delete;

  TTextMeasure& In(HWND control) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(Dc_, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    if (Original_ == nullptr) Original_ = previous;
    return *this;
  }
  int Width(const std::string& text) const {
    SIZE size{0, 0};
    GetTextExtentPoint32A(Dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  int LineHeight() const {
    TEXTMETRICA metrics{};
    GetTextMetricsA(Dc_, &metrics);
    return metrics.tmHeight;
  }
  // The average character width, as dialog units take it.
  int CharWidth() const {
    return (Width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
  }
  // The height of text wrapped at width as a left-aligned static control
  // wraps it.
  int WrappedHeight(const std::string& text, int width) const {
    RECT bounds{0, 0, width, 0};
    return DrawTextA(Dc_, text.c_str(), static_cast<int>(text.size()), &bounds,
                     DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  }

 private:
  HWND Pane_;
  HDC Dc_;
  HGDIOBJ Original_ = nullptr;
};

void Place(HWND control, const TBox& box) { MoveWindow(control, box.Left, box.Top, box.Width, box.Height, FALSE); }

// The status line's height for the widest of texts at its width: placed
// at a trial height first, it tells the room its sunken border takes.
int StatusHeight(HWND status, const TTextMeasure& text, const TBox& box, const std::vector<std::string>& texts) {
  constexpr int TrialHeight = 100;
  Place(status, {box.Left, box.Top, box.Width, TrialHeight});
  RECT client;
  GetClientRect(status, &client);
  int height = 0;
  for (const std::string& line : texts) height = std::max(height, text.WrappedHeight(line, client.right));
  return height + TrialHeight - client.bottom;
}

}  // namespace

size_t ControlledChannels(const std::vector<std::string>& names) { return std::min(names.size(), MaxChannels); }

HWND CreateChannelControls(HWND pane, const std::vector<std::string>& names, HFONT font) {
  for (size_t i = 0; i < ControlledChannels(names); ++i) {
    const int channel = static_cast<int>(i + 1);
    const bool made = IsAnalogChannel(channel) ? CreateSliderRow(pane, channel, names[i], font)
                                               : CreateCheckBox(pane, channel, names[i], font);
    if (!made) return nullptr;
  }
  return CreateControl(pane, "Static", "", SS_LEFT | SS_NOPREFIX | SS_SUNKEN, StatusLineId, font);
}

SIZE PlaceChannelControls(HWND pane, int channels, const std::vector<std::string>& statusTexts, int minWidth,
                          UINT dpi) {
  HWND status = GetDlgItem(pane, StatusLineId);
  TTextMeasure text(pane);
  TTryMeasures measures;
  text.In(status);
  measures.TextHeight = text.LineHeight();
  measures.CharWidth = text.CharWidth();
  measures.CheckMark = std::max(SystemMetricForDpi(SM_CXMENUCHECK, dpi), SystemMetricForDpi(SM_CYMENUCHECK, dpi));
  measures.MinWidth = minWidth;
  size_t checkBoxes = 0, sliderRows = 0;
  for (int channel = 1; channel <= channels; ++channel) {
    HWND control = GetDlgItem(pane, channel);
    if (!IsAnalogChannel(channel)) {
      ++checkBoxes;
      measures.CheckBoxTextWidth = std::max(measures.CheckBoxTextWidth, text.In(control).Width(WindowText(control)));
      continue;
    }
    ++sliderRows;
    HWND name = GetDlgItem(pane, NameLabelId(channel));
    measures.SliderNameWidth = std::max(measures.SliderNameWidth, text.In(name).Width(WindowText(name)));
    measures.LevelWidth = std::max(measures.LevelWidth, text.In(GetDlgItem(pane, LevelLabelId(channel))).Width(WidestLevel));
    // The thumb as long as a scroll bar is high (and a little more, as
    // Windows draws it at 96 DPI), so it grows with the scaling; below it
    // the ticks.
    SendMessageA(control, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(SystemMetricForDpi(SM_CYHSCROLL, dpi) + 4), 0);
    const int thumb = static_cast<int>(SendMessageA(control, TBM_GETTHUMBLENGTH, 0, 0));
    measures.SliderHeight = std::max(measures.SliderHeight, thumb + thumb / 2);
  }

  TTryLayout layout = LayOutTryPane(measures, checkBoxes, sliderRows);
  size_t box = 0, row = 0;
  for (int channel = 1; channel <= channels; ++channel) {
    if (!IsAnalogChannel(channel)) {
      Place(GetDlgItem(pane, channel), layout.CheckBoxes[box++]);
      continue;
    }
    const TSliderRow& places = layout.SliderRows[row++];
    Place(GetDlgItem(pane, NameLabelId(channel)), places.Name);
    Place(GetDlgItem(pane, channel), places.Slider);
    Place(GetDlgItem(pane, LevelLabelId(channel)), places.Level);
  }
  layout.Status.Height = StatusHeight(status, text.In(status), layout.Status, statusTexts);
  Place(status, layout.Status);
  return {layout.Width, layout.Height()};
}
