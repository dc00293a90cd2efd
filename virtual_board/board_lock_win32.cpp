#include "virtual_board/board_lock_win32.h"

#include <windows.h>

namespace {

CRITICAL_SECTION Section;
volatile LONG State = 0;  // 0: not made, 1: being made, 2: ready

// The section, made by the first thread that needs it while the others
// wait; null where Windows XP could not make it (out of memory), and the
// caller goes on unlocked.
CRITICAL_SECTION* Made() {
  for (;;) {
    if (State == 2) return &Section;
    if (InterlockedCompareExchange(&State, 1, 0) == 0) {
      const bool made = InitializeCriticalSectionAndSpinCount(&Section, 400);
      InterlockedExchange(&State, made ? 2 : 0);
      return made ? &Section : nullptr;
    }
    Sleep(1);
  }
}

}  // namespace

TBoardLock::TBoardLock() : Held_(false) {
  if (CRITICAL_SECTION* section = Made()) {
    EnterCriticalSection(section);
    Held_ = true;
  }
}

TBoardLock::~TBoardLock() {
  if (Held_) LeaveCriticalSection(&Section);
}
