#include "test_host/try/try_pane_win32.h"

#include <commctrl.h>

#include "test_host/session/channel_list.h"
#include "test_host/window/host_window_win32.h"
#include "test_host/session/panel_card_states_win32.h"
#include "test_host/try/try_pane_controls_win32.h"
#include "windows/window_dpi_win32.h"

namespace {

constexpr char PaneClass[] = "TarnwellTryChannels";
constexpr UINT_PTR StatusTimer = 1, ResendTimer = 2;
constexpr UINT StatusEveryMs = 250;

int64_t NowUs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return now.QuadPart / frequency.QuadPart * 1000000 + now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

bool RegisterPaneClass(WNDPROC windowProc) {
  WNDCLASSA windowClass{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), PaneClass, &windowClass)) return true;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = PaneClass;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace

TTryPane::TTryPane(const TModuleApi& api, TOutputInstance* instance, int32_t rateHz)
    : Api_(api),
      Instance_(instance),
      Names_(SplitChannelList(instance->ChannelNames, instance->ChannelCount)),
      Outputs_(api.action, instance, static_cast<int32_t>(ControlledChannels(Names_))),
      RateHz_(rateHz) {}

// The window, if it outlasts the pane, hears no more of it.
TTryPane::~TTryPane() {
  if (Window_ != nullptr && IsWindow(Window_)) SetWindowLongPtrA(Window_, GWLP_USERDATA, 0);
  ReleaseGuiFont(Font_);
}

bool TTryPane::Create(HWND host) {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  if (!InitCommonControlsEx(&classes) || !RegisterPaneClass(WindowProc)) return false;
  Window_ = CreateWindowExA(WS_EX_CONTROLPARENT, PaneClass, "", WS_CHILD | WS_VISIBLE, 0, PanelHostHeight, 0, 0, host,
                            nullptr, GetModuleHandleA(nullptr), this);
  if (Window_ == nullptr) return false;
  // Last among the host's children, so that Tab reaches it after the panel.
  SetWindowPos(Window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Dpi_ = WindowDpi(host);
  Font_ = GuiFontForDpi(Dpi_);
  Status_ = CreateChannelControls(Window_, Names_, Font_);
  if (Status_ == nullptr) return false;
  LayOut();
  FollowDpiChanges(host, Window_);
  if (RateHz_ > 0) {
    Schedule_ = std::make_unique<TResendSchedule>(RateHz_, NowUs());
    // Keeps the rounds going while a modal loop (moving the window) runs
    // instead of the test host's own; USER timers tick at most every 10 ms.
    SetTimer(Window_, ResendTimer, static_cast<UINT>(1000 / RateHz_), nullptr);
  }
  SetTimer(Window_, StatusTimer, StatusEveryMs, nullptr);
  Outputs_.FollowSettings(SettingsText());
  UpdateStatus();
  return true;
}

void TTryPane::LayOut() {
  const SIZE size = PlaceChannelControls(Window_, static_cast<int>(ControlledChannels(Names_)),
                                         LongestTryStatuses(Status()), PanelHostWidth, Dpi_);
  SetWindowPos(Window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitHostWindow(GetParent(Window_), size.cx, PanelHostHeight + size.cy, Dpi_);
}

// The host window has taken the rectangle Windows suggests; the controls
// get a font for the new DPI and are placed again from their texts in it.
void TTryPane::FollowDpi(UINT dpi) {
  HFONT font = GuiFontForDpi(dpi);
  for (HWND control = GetWindow(Window_, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT))
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ReleaseGuiFont(Font_);
  Font_ = font;
  Dpi_ = dpi;
  LayOut();
  InvalidateRect(Window_, nullptr, TRUE);
}

std::string TTryPane::SettingsText() const {
  char settings[32];
  Api_.save(Instance_, settings, sizeof(settings) - 1);
  return settings;
}

// A pick reaches the module through its panel's own window; the pane sees
// it in the settings text, before the next change and at every wake.
void TTryPane::FollowPick() {
  if (Outputs_.FollowSettings(SettingsText())) UpdateStatus();
}

DWORD TTryPane::SendDue() {
  FollowPick();
  if (!Schedule_) return INFINITE;
  if (Schedule_->TakeDue(NowUs())) Outputs_.SendAll();
  return static_cast<DWORD>((Schedule_->UsUntilDue(NowUs()) + 999) / 1000);
}

void TTryPane::OnChecked(int channel) {
  FollowPick();
  const bool checked = IsDlgButtonChecked(Window_, channel) == BST_CHECKED;
  if (Outputs_.Change(channel, checked ? 1 : 0)) UpdateStatus();
}

void TTryPane::OnSlider(HWND slider) {
  const int channel = GetDlgCtrlID(slider);
  FollowPick();
  const int level = static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
  SetDlgItemInt(Window_, LevelLabelId(channel), static_cast<UINT>(level), FALSE);
  if (Outputs_.Change(channel, level)) UpdateStatus();
}

TTryStatus TTryPane::Status() const {
  TTryStatus status;
  status.Caption = Instance_->Caption;
  status.Ready = Instance_->Ready != 0;
  status.Settings = SettingsText();
  HWND list = FindPanelCardList(GetParent(Window_));
  std::string error;
  if (list == nullptr || !ReadPanelCardList(list, status.Cards, error)) status.Cards.clear();
  status.ActionCalls = Outputs_.ActionCalls();
  return status;
}

void TTryPane::UpdateStatus() {
  TTryStatus status = Status();
  Rate_.Read(NowUs() / 1000, status.ActionCalls);
  status.TenthsPerSecond = Rate_.TenthsPerSecond();
  SetWindowTextA(Status_, FormatTryStatus(status).c_str());
}

LRESULT CALLBACK TTryPane::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* pane = reinterpret_cast<TTryPane*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (pane == nullptr || pane->Status_ == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) pane->OnChecked(LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      if (lParam != 0) pane->OnSlider(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == StatusTimer) pane->UpdateStatus();
      if (wParam == ResendTimer) pane->SendDue();
      return 0;
    case WM_DPICHANGED:  // passed on by the host window
      pane->FollowDpi(HIWORD(wParam));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
