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
// The library is freed when the session ends (no board open after a
// CloseDevice), once no call is inside it; one that raised as it ended, or
// had calls inside then, is freed at the board's next call. Never at
// DLL_PROCESS_DETACH, where FreeLibrary is not safe (DllMain's remarks), so
// a host that frees the virtual board without closing its boards leaves the
// library loaded until the process ends. The window of an address whose
// OpenDevice gave -1 goes at the end of the session; where no board ever
// opens (a refused library), it stays until the process ends, naming the
// reason.
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
};

// Takes a call that arrived at time. A call given the library's entry is
// inside the library until EndForwarded: the library stays loaded.
TForwardedCall BeginForwarded(TVendorEntry entry, int32_t a, int32_t b, int64_t time);

// A forwarded call has returned with answer, or raised: the boards, their
// windows and the record follow.
void EndForwarded(const TForwardedCall& call, const TLibraryAnswer& answer);

// The answer of a library that is not there: no board answers, nothing is
// read, none is found.
constexpr int32_t RefusedAnswer(TVendorEntry entry) {
  return entry == veOpenDevice || entry == veSetCurrentDevice ? -1 : 0;
}
