// Test-only variant of the virtual board whose OpenDevice raises a
// structured exception, as a vendor library written in a language with
// exceptions of its own does, for the card addresses (digits 0 ... 3)
// listed in VIRTUAL_K8055_RAISE_AT, read at every call; other addresses
// open as on the full board.
#include "virtual_board/test_variants/raising_open.h"

#include <windows.h>

#include "k8055d/vendor_entries.h"
#include "virtual_board/address_list.h"

// The full board's OpenDevice (board_exports_win32.cpp).
extern "C" K8055_STDCALL int32_t BoardOpenDevice(int32_t address);

extern "C" K8055_STDCALL int32_t RaisingOpenDevice(int32_t address) {
  if (AddressListed("VIRTUAL_K8055_RAISE_AT", address, false)) {
    const ULONG_PTR arguments[RaisedArgumentCount] = {RaisedMarker, static_cast<ULONG_PTR>(address)};
    RaiseException(RaisedExceptionCode, EXCEPTION_NONCONTINUABLE, RaisedArgumentCount, arguments);
  }
  return BoardOpenDevice(address);
}
