#include "k8055d/quiet_error_mode_win32.h"

#include "windows/system_functions_win32.h"

namespace {

constexpr UINT QuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

}  // namespace

// SetThreadErrorMode is looked up so that the module loads on Windows XP.
// Either call sets the quiet bits at once and gives the old mode back, so
// that no moment runs without them; the old mode's other bits follow.
TQuietErrorMode::TQuietErrorMode()
    : SetThreadErrorMode_(SystemFunction<TSystemFunction::SetThreadErrorMode>()) {
  if (SetThreadErrorMode_ != nullptr && SetThreadErrorMode_(QuietErrorMode, &ErrorMode_)) {
    SetThreadErrorMode_(ErrorMode_ | QuietErrorMode, nullptr);
    return;
  }
  SetThreadErrorMode_ = nullptr;
  ErrorMode_ = SetErrorMode(QuietErrorMode);
  SetErrorMode(ErrorMode_ | QuietErrorMode);
}

TQuietErrorMode::~TQuietErrorMode() {
  if (SetThreadErrorMode_ != nullptr) SetThreadErrorMode_(ErrorMode_, nullptr);
  else SetErrorMode(ErrorMode_);
}
