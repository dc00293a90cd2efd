// Test-only variant of the virtual board whose start-up and clean-up code
// changes the calling thread's floating-point state, as a vendor library's
// runtime may: the x87 control word and MXCSR are set to values of its own
// when the DLL is attached and again when it is detached. It also leaves
// the thread's error mode at attach and detach in the environment variables
// VIRTUAL_K8055_ATTACH_ERROR_MODE and VIRTUAL_K8055_DETACH_ERROR_MODE
// (hexadecimal), so a test sees what the loader ran under.
#include <windows.h>

#include <cstdio>

#include "tests/shared/fpu_registers.h"
#include "virtual_board/test_variants/fpu_changing.h"

namespace {

void RecordErrorMode(const char* variable) {
  char text[16];
  std::snprintf(text, sizeof(text), "%lx", static_cast<unsigned long>(GetThreadErrorMode()));
  SetEnvironmentVariableA(variable, text);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    RecordErrorMode("VIRTUAL_K8055_ATTACH_ERROR_MODE");
    SetControlWord(AttachControlWord);
    SetMxcsr(AttachMxcsr);
  } else if (reason == DLL_PROCESS_DETACH) {
    RecordErrorMode("VIRTUAL_K8055_DETACH_ERROR_MODE");
    SetControlWord(DetachControlWord);
    SetMxcsr(DetachMxcsr);
  }
  return TRUE;
}
