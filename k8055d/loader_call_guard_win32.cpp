#include "k8055d/loader_call_guard_win32.h"

#include "k8055d/kernel32_function_win32.h"

namespace {

constexpr UINT QuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

}  // namespace

// SetThreadErrorMode is looked up so that the module loads on Windows XP.
TLoaderCallGuard::TLoaderCallGuard()
    : Fpu_(SaveFpuState()),
      SetThreadErrorMode_(Kernel32Function<TSetThreadErrorMode>("SetThreadErrorMode")) {
  if (SetThreadErrorMode_ != nullptr && SetThreadErrorMode_(QuietErrorMode, &ErrorMode_)) {
    SetThreadErrorMode_(ErrorMode_ | QuietErrorMode, nullptr);
    return;
  }
  SetThreadErrorMode_ = nullptr;
  // Before Windows 7 the mode is the process's: set for the call only.
  ErrorMode_ = SetErrorMode(QuietErrorMode);
  SetErrorMode(ErrorMode_ | QuietErrorMode);
}

TLoaderCallGuard::~TLoaderCallGuard() {
  if (SetThreadErrorMode_ != nullptr) SetThreadErrorMode_(ErrorMode_, nullptr);
  else SetErrorMode(ErrorMode_);
  RestoreFpuState(Fpu_);
}
