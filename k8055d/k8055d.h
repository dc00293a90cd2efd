// Binding to the board vendor's driver library, loaded by name at run time.
// The entry points are those of vendor_entries.h, looked up in its order.
//
// State: process-wide, one copy per loaded module, touched only from the
// host's calls (one at a time, no locks).
#pragma once

#include <cstdint>

#include "k8055d/library_loader.h"
#include "k8055d/vendor_entries.h"

// The binding's state.
struct TDriverBinding {
  TLibraryProc Table[VendorEntryCount];  // the looked-up entry points; empty entries are null
  TLibraryHandle Handle;                 // 0 while not loaded
  bool Tried;                            // set once the first create ran LoadDriver
  bool Ready;                            // loaded, every entry point found, not yet freed
};

// The process's binding, as LoadDriver, LoadDriverOnce and UnloadDriver
// leave it; all empty at load time (constant-initialised, no code runs, no
// guard). Inline, so that the output call reads it without a call.
inline TDriverBinding& DriverBinding() {
  static constinit TDriverBinding binding{};
  return binding;
}

inline bool DriverReady() { return DriverBinding().Ready; }

// A typed call through the table entry Entry.
template <TVendorEntry Entry, typename TSignature>
struct TVendorCall;
template <TVendorEntry Entry, typename TResult, typename... TParams>
struct TVendorCall<Entry, TResult(TParams...)> {
  static TResult Call(TParams... args) {
    return reinterpret_cast<typename TVendorSignature<TResult(TParams...)>::Pointer>(DriverBinding().Table[Entry])(
        args...);
  }
};

// OpenDevice(address), CloseDevice(), ...: the entry points the module calls,
// by their vendor names. Only valid while DriverReady().
#define VENDOR_CALL_Called(name, result, params) \
  inline constexpr auto& name = TVendorCall<ve##name, result params>::Call;
#define VENDOR_CALL_LookedUp(name, result, params)
#define VENDOR_CALL(name, result, params, bytes, use) VENDOR_CALL_##use(name, result, params)
VENDOR_ENTRY_LIST(VENDOR_CALL)
#undef VENDOR_CALL
#undef VENDOR_CALL_LookedUp
#undef VENDOR_CALL_Called

// Binds VendorLibraryName (vendor_entries.h): the one the process has loaded already, else the
// first found in the search folders of library_search.h (never the current
// directory as such), loaded by its full path. Fills the binding's Handle
// and Table; true when every entry point was found.
bool LoadDriver();

// What the first create of the process does: runs LoadDriver once and keeps
// its result in Ready, a failed one too. Returns Ready.
inline bool LoadDriverOnce() {
  TDriverBinding& binding = DriverBinding();
  if (!binding.Tried) {
    binding.Ready = LoadDriver();
    binding.Tried = true;
  }
  return binding.Ready;
}

// Frees the library once. Afterwards Ready is false, so nothing calls into
// the freed code.
void UnloadDriver();
