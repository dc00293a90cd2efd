// The forwarded session: whether a call goes on to the vendor's library
// that forward in the settings names (board_settings.h) instead of to the
// virtual boards, the library loaded for it (forward_library_win32.h), and
// what the calls sent there did: the boards' model follows the library's
// answers (a board it opens gets its window, a board it answers -1 for is
// no longer held, CloseDevice closes every board), and each call gets its
// record line with the library's answer and time.
//
// The decision is taken at a call that opens boards (OpenDevice,
// SearchDevices) while none is open, and the library is loaded then. A
// library that cannot be used is never replaced by virtual boards: every
// OpenDevice answers -1 and the reason shows in the board windows. A
// library without one of the entry points that the module never uses (an
// older one) has the calls of it answered as by a library without boards.
//
// The library's life has one owner, a count of references under the
// board's lock: the session holds one, each call inside the library one,
// and a call that raised keeps its one until the next session's decision,
// since the caller may still be handling an exception that points into
// the library. The last reference let go hands the library over to be
// freed once the board's lock is left (TakeReleasedLibrary), never at
// DLL_PROCESS_DETACH, where FreeLibrary is not safe (DllMain's remarks). A
// call that returns after another thread's CloseDevice ended its session
// gets its record line and changes nothing else. Forwarding switched on
// while virtual boards are open closes them first. The window of an
// address whose OpenDevice gave -1 goes at the end of the session; where no
// board ever opens (a refused library), it stays until the process ends,
// naming the reason.
//
// Called with the board's lock held (board_lock_win32.h), never while
// inside the library.
#pragma once

#include <windows.h>

#include <cstdint>

#include "k8055d/vendor_entries.h"
#include "virtual_board/library_answer.h"

struct TForwardedCall {
  TVendorEntry Entry;
  int32_t A, B;     // its number arguments, 0 for the others
  int64_t Time;     // as it arrived (CallTime)
  bool Forwarded;   // false: the virtual boards answer it
  FARPROC Vendor;   // the library's entry; null: the library's refused answer
  uint32_t Session; // the forwarded session it was taken in
};

// Takes a call that arrived at time. A call given the library's entry is
// inside the library until EndForwarded: the library stays loaded.
TForwardedCall BeginForwarded(TVendorEntry entry, int32_t a, int32_t b, int64_t time);

// A forwarded call has returned with answer, or raised: the boards, their
// windows and the record follow.
void EndForwarded(const TForwardedCall& call, const TLibraryAnswer& answer);

// The library whose last reference went since the last ask, or null: the
// caller frees it (FreeForwardLibrary) once it has left the board's lock.
HMODULE TakeReleasedLibrary();

// The answer of a library that is not there: no board answers, nothing is
// read, none is found.
constexpr int32_t RefusedAnswer(TVendorEntry entry) {
  return entry == veOpenDevice || entry == veSetCurrentDevice ? -1 : 0;
}
