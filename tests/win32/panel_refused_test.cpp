// The panel where Windows or the host refuses part of it: a host window that
// will not take the panel as a child, a group box destroyed while it is
// being created, a window class that an earlier load of the module left in
// use.
// Nothing half-made is left, and the instance works on.
#include <gtest/gtest.h>

#include "tests/win32/import_patch.h"
#include "tests/win32/panel_host_window.h"
#include "tests/win32/process_resources.h"

namespace {

int64_t OwnWindows() { return TProcessResources::Now().Windows; }

// SetParent as Windows 10 answers it for a host window of another DPI
// awareness context.
HWND WINAPI RefusingSetParent(HWND, HWND) {
  SetLastError(ERROR_ACCESS_DENIED);
  return nullptr;
}

// The window's one panel is the instance's, and a pick in it reaches it.
void ExpectAWorkingPanel(TModuleHost& host, THostWindow& window, TOutputInstance* instance) {
  EXPECT_EQ(window.PanelCount(), 1);
  ASSERT_NE(window.Combo(), nullptr);
  SendMessageA(window.Combo(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Saved(host, instance), "1") << "a pick reaches the instance";
}

TEST(PanelRefused, AHostWindowThatWillNotTakeThePanelGetsNone) {
  TModuleHost host("full");
  THostWindow window;
  TOutputInstance* instance = host.Api.create(1);
  const int64_t before = OwnWindows();
  {
    TImportPatch refusing(host.Module, "user32.dll", "SetParent", reinterpret_cast<void*>(RefusingSetParent));
    ASSERT_TRUE(refusing.Patched());
    host.Api.show(instance, window.Handle);
  }
  EXPECT_EQ(OwnTopLevelPanel(), nullptr) << "no group box left on its own at the screen's corner";
  EXPECT_EQ(OwnWindows(), before);
  EXPECT_TRUE(host.Calls().empty()) << "no board tried for a panel not shown";
  host.Api.show(instance, window.Handle);
  ExpectAWorkingPanel(host, window, instance);
  host.Api.destroy(instance);
  EXPECT_EQ(OwnWindows(), before);
}

// A host's hook that destroys the group box's window while it is being
// created (at WM_CREATE): CreateWindowEx then gives no window.
LRESULT CALLBACK DestroyGroupBoxAtCreate(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  char name[64];
  if (code == HC_ACTION && message->message == WM_CREATE &&
      GetClassNameA(message->hwnd, name, sizeof(name)) > 0 && lstrcmpA(name, PanelClass) == 0)
    DestroyWindow(message->hwnd);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The count of live group boxes stays right: two panels can be shown
// afterwards, and the class goes with the last of them.
TEST(PanelRefused, AGroupBoxDestroyedDuringItsCreationLeavesTheCountRight) {
  TModuleHost host("full");
  THostWindow window;
  TOutputInstance* first = host.Api.create(1);
  TOutputInstance* second = host.Api.create(2);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, DestroyGroupBoxAtCreate, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  host.Api.show(first, window.Handle);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(window.PanelCount(), 0);
  host.Api.show(first, window.Handle);
  host.Api.show(second, window.Handle);
  EXPECT_EQ(window.PanelCount(), 2);
  host.Api.hide(first);
  host.Api.hide(second);
  EXPECT_FALSE(PanelClassRegistered(host.Module)) << "unregistered with the last panel";
  host.Api.destroy(second);
  host.Api.destroy(first);
}

// The host frees the module with its panel still shown, then loads it
// again: the class cannot be replaced while that panel lives, and its
// window procedure is the new load's when the module comes back at the same
// address. The new panel is made with it.
TEST(PanelRefused, AClassLeftInUseByAnEarlierLoadAtThisAddressIsUsed) {
  THostWindow window;
  HMODULE earlier = nullptr;
  {
    TModuleHost host("full");
    host.Api.show(host.Api.create(1), window.Handle);
    earlier = host.Module;
  }
  HWND leftBehind = window.GroupBox();
  ASSERT_NE(leftBehind, nullptr);
  {
    TModuleHost host("full");
    if (host.Module != earlier) {
      DestroyWindow(leftBehind);  // while a window procedure is loaded there
      GTEST_SKIP() << "the module came back at another address";
    }
    EXPECT_TRUE(PanelClassRegistered(host.Module)) << "the case under test: a class left in use";
    TOutputInstance* instance = host.Api.create(1);
    host.Api.show(instance, window.Handle);
    EXPECT_EQ(window.PanelCount(), 2);
    DestroyWindow(leftBehind);
    ExpectAWorkingPanel(host, window, instance);
    host.Api.destroy(instance);
    EXPECT_FALSE(PanelClassRegistered(host.Module)) << "unregistered with the last panel";
  }
}

}  // namespace
