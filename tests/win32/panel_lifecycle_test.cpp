// The panel's windows from show to hide: none left behind, none doubled,
// none for a handle that is no window, and a window class that survives the
// module being unloaded and loaded again.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/win32/panel_host_window.h"
#include "tests/win32/process_resources.h"

namespace {

int64_t OwnWindows() { return TProcessResources::Now().Windows; }

TEST(PanelLifecycle, HideLeavesNoWindowAndASecondHideDoesNothing) {
  TModuleHost host("full");
  THostWindow window;
  TOutputInstance* instance = host.Api.create(1);
  const int64_t before = OwnWindows();
  host.Api.show(instance, window.Handle);
  EXPECT_GT(OwnWindows(), before + 2);
  EXPECT_TRUE(PanelClassRegistered(host.Module));
  host.Api.hide(instance);
  EXPECT_EQ(window.GroupBox(), nullptr);
  EXPECT_EQ(OwnWindows(), before);
  EXPECT_FALSE(PanelClassRegistered(host.Module)) << "unregistered with the last panel";
  host.Api.hide(instance);
  EXPECT_EQ(OwnWindows(), before);
  host.Api.destroy(instance);
}

TEST(PanelLifecycle, DestroyRemovesAPanelStillShown) {
  TModuleHost host("full");
  THostWindow window;
  const int64_t before = OwnWindows();
  TOutputInstance* instance = host.Api.create(1);
  host.Api.show(instance, window.Handle);
  host.Api.destroy(instance);
  EXPECT_EQ(OwnWindows(), before);
}

TEST(PanelLifecycle, ShowAgainReplacesThePanel) {
  TShownPanel panel("full");
  const int64_t shown = OwnWindows();
  panel.Host.Api.show(panel.Instance, panel.Window.Handle);
  EXPECT_EQ(panel.Window.PanelCount(), 1);
  EXPECT_EQ(OwnWindows(), shown);
}

TEST(PanelLifecycle, TwoInstancesShowTwoPanels) {
  TModuleHost host("full");
  THostWindow window;
  TOutputInstance* first = host.Api.create(1);
  TOutputInstance* second = host.Api.create(2);
  host.Api.show(first, window.Handle);
  host.Api.show(second, window.Handle);
  EXPECT_EQ(window.PanelCount(), 2);
  host.Api.hide(first);
  EXPECT_EQ(window.PanelCount(), 1);
  EXPECT_TRUE(PanelClassRegistered(host.Module)) << "still in use";
  host.Api.destroy(second);
  host.Api.destroy(first);
  EXPECT_FALSE(PanelClassRegistered(host.Module));
}

TEST(PanelLifecycle, HandleThatIsNoWindowIsIgnored) {
  TModuleHost host("full");
  TOutputInstance* instance = host.Api.create(1);
  const int64_t before = OwnWindows();
  host.Api.show(instance, reinterpret_cast<HWND>(0x4321));
  host.Api.show(instance, nullptr);
  EXPECT_EQ(OwnWindows(), before);
  EXPECT_TRUE(host.Calls().empty()) << "no board is tried";
  host.Api.destroy(instance);
}

TEST(PanelLifecycle, TwoHundredCyclesLeaveNoWindowOrGuiObject) {
  TModuleHost host("full");
  THostWindow window;
  TOutputInstance* instance = host.Api.create(1);
  host.Api.show(instance, window.Handle);  // first-use costs (class, fonts) are paid here
  UpdateWindow(window.Handle);
  host.Api.hide(instance);
  PumpMessages();
  const int64_t windows = OwnWindows();
  const int gdi = LiveGdiObjects();
  ASSERT_GT(gdi, 0);
  for (int cycle = 0; cycle < 200; ++cycle) {
    host.Api.show(instance, window.Handle);
    UpdateWindow(window.Handle);
    SendMessageA(window.Combo(), WM_KEYDOWN, cycle % 2 ? VK_UP : VK_DOWN, 0);
    host.Api.hide(instance);
    PumpMessages();
  }
  EXPECT_EQ(OwnWindows(), windows);
  EXPECT_LE(LiveGdiObjects(), gdi + GdiCacheSlack);  // a leak per cycle would show 200
  std::printf("windows %lld, GDI objects %d before and after 200 cycles\n", static_cast<long long>(windows), gdi);
  host.Api.destroy(instance);
}

// A class of the panel's name left registered for the module's instance
// handle, its window procedure not the module's.
TEST(PanelLifecycle, StaleClassRegistrationIsReplaced) {
  TModuleHost host("full");
  WNDCLASSEXA stale = {};
  stale.cbSize = sizeof(stale);
  stale.lpfnWndProc = DefWindowProcA;
  stale.hInstance = host.Module;
  stale.lpszClassName = PanelClass;
  ASSERT_NE(RegisterClassExA(&stale), 0);

  THostWindow window;
  TOutputInstance* instance = host.Api.create(1);
  host.Api.show(instance, window.Handle);
  ASSERT_NE(window.Combo(), nullptr);
  SendMessageA(window.Combo(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Saved(host, instance), "1") << "the group box's own procedure receives the pick";
  host.Api.destroy(instance);
}

TEST(PanelLifecycle, ModuleLoadedAgainShowsAWorkingPanel) {
  {
    TShownPanel panel("full");
    panel.Window.Close();  // the panel goes with the host's window; the class stays
    panel.Host.Api.hide(panel.Instance);
    EXPECT_TRUE(PanelClassRegistered(panel.Host.Module)) << "the case under test: a class left behind";
  }
  ASSERT_EQ(GetModuleHandleA("out_tarnwell.dll"), nullptr);
  TShownPanel panel("full");
  ASSERT_NE(panel.Window.Combo(), nullptr);
  SendMessageA(panel.Window.Combo(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Saved(panel.Host, panel.Instance), "1");
}

}  // namespace
