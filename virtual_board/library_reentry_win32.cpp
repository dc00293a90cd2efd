#include "virtual_board/library_reentry_win32.h"

#include <windows.h>

namespace {

// Far more threads than are ever inside the library at once.
constexpr int TableSize = 32;
volatile LONG Inside[TableSize];  // thread ids; 0: free

int PlaceOf(DWORD thread) {
  for (int i = 0; i < TableSize; ++i)
    if (static_cast<DWORD>(Inside[i]) == thread) return i;
  return -1;
}

}  // namespace

bool InsideForwardLibrary() { return PlaceOf(GetCurrentThreadId()) >= 0; }

bool EnterForwardLibrary() {
  const DWORD thread = GetCurrentThreadId();
  if (PlaceOf(thread) >= 0) return true;
  for (int i = 0; i < TableSize; ++i)
    if (InterlockedCompareExchange(&Inside[i], static_cast<LONG>(thread), 0) == 0) break;
  return false;
}

void LeaveForwardLibrary(bool wasInside) {
  const int place = wasInside ? -1 : PlaceOf(GetCurrentThreadId());
  if (place >= 0) InterlockedExchange(&Inside[place], 0);
}
