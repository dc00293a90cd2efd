// Binding to the board vendor's driver library, loaded by name at run time.
// The entry points are those of vendor_entries.h, looked up in its order.
//
// State: process-wide, one copy per loaded module, touched only from the
// host's calls (one at a time, no locks).
#pragma once

#include <cstdint>

#include "k8055d/library_loader.h"
#include "k8055d/vendor_entries.h"

// Exported names, indexed by TVendorEntry.
extern const char* const VendorEntryNames[VendorEntryCount];

// The looked-up entry points; empty entries are null.
extern TLibraryProc VendorTable[VendorEntryCount];

extern TLibraryHandle DriverHandle;  // 0 while not loaded
extern bool DriverTried;             // set once the first create ran LoadDriver
extern bool DriverReady;             // loaded, every entry point found, not yet freed

// A typed call through the table entry Entry.
template <TVendorEntry Entry, typename TSignature>
struct TVendorCall;
template <TVendorEntry Entry, typename TResult, typename... TParams>
struct TVendorCall<Entry, TResult(TParams...)> {
  static TResult Call(TParams... args) {
    return reinterpret_cast<typename TVendorSignature<TResult(TParams...)>::Pointer>(VendorTable[Entry])(args...);
  }
};

// OpenDevice(address), CloseDevice(), ...: the entry points the module calls,
// by their vendor names. Only valid while DriverReady.
#define VENDOR_CALL_Called(name, result, params) \
  inline constexpr auto& name = TVendorCall<ve##name, result params>::Call;
#define VENDOR_CALL_LookedUp(name, result, params)
#define VENDOR_CALL(name, result, params, bytes, use) VENDOR_CALL_##use(name, result, params)
VENDOR_ENTRY_LIST(VENDOR_CALL)
#undef VENDOR_CALL
#undef VENDOR_CALL_LookedUp
#undef VENDOR_CALL_Called

// Binds "k8055d.dll": the one the process has loaded already, else the
// first found in the search folders of library_search.h (never the current
// directory as such), loaded by its full path. Fills VendorTable; true when
// every entry point was found.
bool LoadDriver();

// What the first create of the process does: runs LoadDriver once and keeps
// its result in DriverReady, a failed one too. Returns DriverReady.
inline bool LoadDriverOnce() {
  if (!DriverTried) {
    DriverReady = LoadDriver();
    DriverTried = true;
  }
  return DriverReady;
}

// Frees the library once. Afterwards DriverReady is false, so nothing calls
// into the freed code.
void UnloadDriver();

// Puts the binding back in its load-time state (nothing loaded or tried),
// as a fresh process has it; for tests that run many sessions in one process.
void ResetDriverState();
