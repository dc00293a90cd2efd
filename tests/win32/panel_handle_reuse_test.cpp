// A host destroys its window with the panel inside, then makes windows until
// one carries the panel's old handle value. Alone (RUN_SERIAL): the window
// table is the session's, and the windows that tests running beside it make
// take the freed slots.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/win32/handle_reuse.h"
#include "tests/win32/panel_host_window.h"

namespace {

HWND MakeHostComboBox(HWND parent) {
  return CreateWindowExA(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// A host (a form recreating its handle) destroys its window with the panel
// inside and calls hide only later, after windows of its own have taken the
// panel's old handle values: hide leaves the host's window and what it keeps
// in GWLP_USERDATA alone, and show builds a new panel.
TEST(PanelHandleReuse, HideAfterTheHostDestroyedThePanelLeavesReusedHandlesAlone) {
  TModuleHost host("full");
  TOutputInstance* instance = host.Api.create(1);
  THostWindow window;
  // The window table is the session's: a window of another process may take
  // the freed slot first (this program runs alone, but wine's own processes
  // make windows too); a panel shown again leaves another value to wait for.
  HWND hostCombo = nullptr;
  for (int attempt = 0; attempt < 3 && hostCombo == nullptr; ++attempt) {
    THostWindow recreated;
    host.Api.show(instance, recreated.Handle);
    HWND oldCombo = recreated.Combo();
    recreated.Close();
    ASSERT_FALSE(IsWindow(oldCombo));
    hostCombo = MakeWindowWithHandle(oldCombo, window.Handle, MakeHostComboBox);
  }
  ASSERT_NE(hostCombo, nullptr) << "the handle value came round to a window of the host's";
  void* hostData = malloc(16);
  SetWindowLongPtrA(hostCombo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hostData));

  host.Api.hide(instance);
  EXPECT_TRUE(IsWindow(hostCombo));
  EXPECT_EQ(GetWindowLongPtrA(hostCombo, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(hostData));

  host.Api.show(instance, window.Handle);
  EXPECT_EQ(window.PanelCount(), 1);
  SendMessageA(window.Combo(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Saved(host, instance), "1");
  host.Api.destroy(instance);
  EXPECT_EQ(window.PanelCount(), 0);
  EXPECT_FALSE(PanelClassRegistered(host.Module)) << "unregistered with the last panel";
  EXPECT_TRUE(IsWindow(hostCombo));
  DestroyWindow(hostCombo);
  free(hostData);
}

}  // namespace
