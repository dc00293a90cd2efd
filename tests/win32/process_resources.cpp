#include "tests/win32/process_resources.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "tests/win32/panel_host_window.h"

namespace {

// PrivateUsage of the memory counters is 0 under wine; walking the address
// space gives the same figure on both.
int64_t CommittedPrivateBytes() {
  int64_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* p = nullptr; VirtualQuery(p, &region, sizeof(region)) == sizeof(region);) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += static_cast<int64_t>(region.RegionSize);
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= p) break;  // the top of the address space
    p = next;
  }
  return total;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int64_t*>(count);
  return TRUE;
}

BOOL CALLBACK CountOwnWindowTree(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  CountWindow(window, count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

int64_t OwnWindows() {
  int64_t count = 0;
  EnumWindows(CountOwnWindowTree, reinterpret_cast<LPARAM>(&count));
  return count;
}

void Expect(const char* name, int64_t before, int64_t after, int64_t bound) {
  const int64_t growth = after - before;
  std::printf("%s: %lld -> %lld (%+lld, bound %+lld)\n", name, static_cast<long long>(before),
              static_cast<long long>(after), static_cast<long long>(growth), static_cast<long long>(bound));
  ::testing::Test::RecordProperty(std::string(name) + "Growth", std::to_string(growth));
  EXPECT_LE(growth, bound) << name;
}

}  // namespace

TProcessResources TProcessResources::Now() {
  // The window-system counts first and the GDI table after them: their
  // first use sets up the window station and its stock objects, which must
  // not land between two readings.
  TProcessResources now{};
  now.UserObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  now.GdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  now.Windows = OwnWindows();
  now.GdiHandles = LiveGdiObjects();
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  now.WorkingSet = static_cast<int64_t>(memory.WorkingSetSize);
  now.PrivateBytes = CommittedPrivateBytes();
  return now;
}

void ExpectWithinBounds(const TProcessResources& before, const TProcessResources& after,
                        const TResourceBounds& bounds) {
  Expect("PrivateBytes", before.PrivateBytes, after.PrivateBytes, bounds.PrivateBytes);
  Expect("WorkingSet", before.WorkingSet, after.WorkingSet, bounds.WorkingSet);
  Expect("UserObjects", before.UserObjects, after.UserObjects, bounds.UserObjects);
  Expect("GdiObjects", before.GdiObjects, after.GdiObjects, bounds.GdiObjects);
  Expect("GdiHandles", before.GdiHandles, after.GdiHandles, bounds.GdiHandles);
  Expect("Windows", before.Windows, after.Windows, bounds.Windows);
}
