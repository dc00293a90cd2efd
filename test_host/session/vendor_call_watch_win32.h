// What the module's calls into k8055d.dll showed: which boards answered
// OpenDevice, which of them the library later dropped (unplugged while
// open: SetCurrentDevice answered -1), and how many output calls reached
// the library. Only so can
// the test host tell the user that nothing reached a board; the module
// itself reports nothing.
//
// The module binds the vendor library's entry points with GetProcAddress.
// The watch replaces that one import of the module (its import address
// table entry) with a lookup that hands out, for OpenDevice,
// SetCurrentDevice and the three output calls, small functions that note the call and pass it on
// unchanged; every other lookup is the system's own.
#pragma once

#include <windows.h>

#include <cstdint>

// Installs the watch in module, before its first create; false when the
// module does not import GetProcAddress from kernel32.dll.
bool WatchVendorCalls(HMODULE module);

// What OpenDevice returned for card address 0 ... 3, or OpenDeviceNotCalled.
int32_t OpenDeviceResult(int32_t address);

// Whether OpenDevice was called for all four card addresses and answered
// -1 for each: the library holds no board at all.
bool NoCardAddressAnswers();

// SetDigitalChannel, ClearDigitalChannel and OutputAnalogChannel calls so far.
uint32_t OutputCallCount();

// Of those, the ones found since to have failed: the call at which the
// library dropped a board (pulled out, its transfer failed) sends nothing,
// and shows as such only at the next SetCurrentDevice for that board,
// answered -1. A failed call with no such call after it is not seen.
uint32_t FailedTransferCount();

// Whether the board at card address 0 ... 3 answered OpenDevice and later
// SetCurrentDevice answered -1 for it: the library dropped it.
bool BoardDropped(int32_t address);
