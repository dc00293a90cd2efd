#include "tests/win32/host_window_in_process.h"

#include <algorithm>

#include "test_host/window/host_window_win32.h"

THostWindowWithPanel::THostWindowWithPanel() : Host("full") {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,1");
  Instance = Host.Api.create(1);
  Host.Api.open(Instance, "1");
  Window = CreateHostWindow("tarnwell_host: try");
  if (Window != nullptr) Host.Api.show(Instance, Window);
}

THostWindowWithPanel::~THostWindowWithPanel() {
  Host.Api.hide(Instance);
  if (Window != nullptr) DestroyWindow(Window);
  Host.Api.destroy(Instance);
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr);
}

TTryWindowInProcess::TTryWindowInProcess(int32_t rateHz) : Pane(Shown.Host.Api, Shown.Instance, rateHz) {
  Made = Shown.Window != nullptr && Pane.Create(Shown.Window);
  if (Made) ShowWindow(Shown.Window, SW_SHOWNORMAL);
}

HWND TTryWindowInProcess::Channels() const {
  return FindWindowExA(Shown.Window, nullptr, "TarnwellTryChannels", nullptr);
}

bool RunMessagesFor(int ms, TTryPane* pane, HWND dialogWindow) {
  bool quit = false;
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  for (DWORD now = GetTickCount(); static_cast<int32_t>(end - now) > 0; now = GetTickCount()) {
    const DWORD due = pane != nullptr ? pane->SendDue() : INFINITE;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(due, end - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) quit = true;
      if (dialogWindow != nullptr && TakeDialogKey(dialogWindow, message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return quit;
}
