// Test-only variant of the virtual board whose start-up and clean-up code
// leaves an unmasked x87 exception pending, as a vendor library's runtime
// may: a zero divide under a control word that unmasks it, when the DLL is
// attached and again when it is detached, with no floating-point
// instruction after it that would raise it there.
#include <windows.h>

#include "tests/shared/fpu_registers.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH || reason == DLL_PROCESS_DETACH) LeaveZeroDividePending();
  return TRUE;
}
