// The threads runtime linked into the test host (winpthreads) imports
// GetTickCount64, which Windows XP lacks: a program importing it does not
// start there. This file defines that import's address slot itself, so the
// linker takes it instead of kernel32's, and points it to a stand-in that
// calls GetTickCount64 where Windows has it (Vista and later) and otherwise
// GetTickCount made 64 bits wide. The runtime uses the count only for the
// time that has passed during its waits.
#include <windows.h>

#include "test_host/console/tick_count_extension.h"
#include "windows/system_functions_win32.h"

namespace {

using TTickCount64 = ULONGLONG(WINAPI*)();

TTickCountExtension TickCountExtension;

ULONGLONG WINAPI TickCount64() {
  if (const auto system = SystemFunction<TSystemFunction::GetTickCount64>()) return system();
  return TickCountExtension.Extend(GetTickCount());
}

}  // namespace

extern "C" {
extern const TTickCount64 TickCount64Import __asm__("__imp__GetTickCount64@0");
const TTickCount64 TickCount64Import = TickCount64;
}
