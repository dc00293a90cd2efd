#include "virtual_board/library_reentry_win32.h"

#include <windows.h>

namespace {

constexpr LONG NoSlot = static_cast<LONG>(TLS_OUT_OF_INDEXES);
volatile LONG Slot = NoSlot;

// The slot, made at the first mark; two threads making one at once keep
// the first and give the other back.
LONG MadeSlot() {
  if (Slot != NoSlot) return Slot;
  const DWORD made = TlsAlloc();
  if (made == TLS_OUT_OF_INDEXES) return NoSlot;
  const LONG first = InterlockedCompareExchange(&Slot, static_cast<LONG>(made), NoSlot);
  if (first == NoSlot) return static_cast<LONG>(made);
  TlsFree(made);
  return first;
}

// TlsGetValue sets the last error also when it succeeds.
bool Marked(LONG slot) {
  const DWORD error = GetLastError();
  const bool marked = slot != NoSlot && TlsGetValue(static_cast<DWORD>(slot)) != nullptr;
  SetLastError(error);
  return marked;
}

void Mark(bool inside) {
  const DWORD error = GetLastError();
  const LONG slot = MadeSlot();
  if (slot != NoSlot) TlsSetValue(static_cast<DWORD>(slot), inside ? reinterpret_cast<void*>(1) : nullptr);
  SetLastError(error);
}

}  // namespace

bool InsideForwardLibrary() { return Marked(Slot); }

bool EnterForwardLibrary() {
  const bool wasInside = InsideForwardLibrary();
  if (!wasInside) Mark(true);
  return wasInside;
}

void LeaveForwardLibrary(bool wasInside) {
  if (!wasInside) Mark(false);
}
