// Test-only DLL (boards/test-recording/closing_at_detach.dll) whose
// DLL_PROCESS_DETACH calls CloseDevice of the k8055d.dll loaded in the
// process, as a host's plug-in that closes its boards as it is freed: with
// the loader's lock held. First it lets recording_vendor.dll's held call
// go on (VIRTUAL_K8055_HOLD), then it waits until another thread waits for
// the loader's lock (the count of the lock's critical section, which the
// process environment block names, grows) or the event DetachGoEvent names
// is set, so that the other thread's way through the board meets this one.
#include <windows.h>

#include "virtual_board/test_variants/closing_at_detach.h"
#include "virtual_board/test_variants/recording_vendor.h"

namespace {

// PEB.LoaderLock; the block at fs:0x30.
CRITICAL_SECTION* LoaderLock() {
  const char* peb;
  asm("movl %%fs:0x30, %0" : "=r"(peb));
  return *reinterpret_cast<CRITICAL_SECTION* const*>(peb + 0xA0);
}

void CloseBoardsAtDetach() {
  const volatile LONG& count = LoaderLock()->LockCount;
  const LONG entered = count;
  char name[64];
  RecordingReleaseEvent(name);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, name);
  DetachGoEvent(name);
  HANDLE go = CreateEventA(nullptr, TRUE, FALSE, name);
  SetEvent(release);
  while (count == entered && WaitForSingleObject(go, 1) == WAIT_TIMEOUT) {
  }
  CloseHandle(release);
  CloseHandle(go);
  HMODULE board = GetModuleHandleA("k8055d.dll");
  const auto closeDevice =
      reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void (*)()>(GetProcAddress(board, "CloseDevice")));
  if (closeDevice != nullptr) closeDevice();
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_DETACH) CloseBoardsAtDetach();
  return TRUE;
}
