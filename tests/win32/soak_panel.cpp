// 1,000 show / hide cycles of the settings panel in a host window, with a
// pick in the card list each time: every control, font and brush the panel
// makes goes again with hide, so windows, GDI objects and memory return to
// where they started; the heap blocks the module itself holds are counted
// exactly. Bounded in count; the test preset's timeout bounds its time.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/win32/module_blocks.h"
#include "tests/win32/module_host.h"
#include "tests/win32/panel_host_window.h"
#include "tests/win32/process_resources.h"

namespace {

constexpr int Cycles = 1000;

TEST(Soak, ThousandShowHideCycles) {
  TModuleHost host("full");
  SetEnvironmentVariableA("VIRTUAL_K8055_TRACE", nullptr);
  THostWindow window;
  TModuleBlocks blocks(host.Module);
  ASSERT_TRUE(blocks.Hooked());
  TOutputInstance* instance = host.Api.create(1);
  auto cycle = [&](int i) {
    host.Api.show(instance, window.Handle);
    UpdateWindow(window.Handle);
    SendMessageA(window.Combo(), WM_KEYDOWN, i % 2 ? VK_UP : VK_DOWN, 0);
    host.Api.hide(instance);
    PumpMessages();
  };
  for (int i = 0; i < 10; ++i) cycle(i);  // warm up: window class, fonts, boards tried
  const int64_t blocksBefore = blocks.Live();
  const TProcessResources before = TProcessResources::Now();
  ASSERT_GT(before.GdiHandles, 0) << "the GDI handle table is readable";
  for (int i = 0; i < Cycles; ++i) cycle(i);
  const TProcessResources after = TProcessResources::Now();
  // The panel's three controls alone take more than the memory bound at
  // every show; one leaked window fails the test. Wine itself may create a
  // cached GDI object or two at times that depend on the machine's load; a
  // leak per cycle would show a thousand.
  ExpectWithinBounds(before, after, {256 * 1024, 1024 * 1024, 0, 0, GdiCacheSlack, 0});
  // Whatever wine allocates, the module's own blocks are exact: one lost
  // per cycle shows as a thousand.
  std::printf("ModuleBlocks: %lld -> %lld\n", static_cast<long long>(blocksBefore),
              static_cast<long long>(blocks.Live()));
  EXPECT_EQ(blocks.Live(), blocksBefore) << "the module's heap blocks";
  host.Api.destroy(instance);
  EXPECT_EQ(blocks.Live(), 0) << "destroy frees every block the instance held";
}

}  // namespace
