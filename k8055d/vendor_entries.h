// The vendor library's 21 entry points, one row each, in the order the
// module stores and looks them up. Everything else about them is derived
// from these rows: the entry enum (here), the name table, the typed calls of
// the entries the module calls, and the virtual board's exports (its build
// reads this file, one row per line) with their stdcall decorations.
//
//   X(name, result, (parameters), stack bytes, use)
//
// stack bytes: what a stdcall callee removes, 4 per argument; the number in
// the decorated name "OpenDevice@4". use: Called for the six entry points
// the module calls, LookedUp for the fifteen it only requires to be there.
#pragma once

#include <cstdint>

#if defined(_WIN32) && defined(__i386__)
#define K8055_STDCALL __attribute__((stdcall))
#else
#define K8055_STDCALL
#endif

// The vendor library's file name: what the module looks for and loads, and
// what the tools name in their texts ("Cannot load " VENDOR_LIBRARY_FILE).
#define VENDOR_LIBRARY_FILE "k8055d.dll"
inline constexpr char VendorLibraryName[] = VENDOR_LIBRARY_FILE;

#define VENDOR_ENTRY_LIST(X)                                                          \
  X(OpenDevice, int32_t, (int32_t address), 4, Called)                                \
  X(CloseDevice, void, (), 0, Called)                                                 \
  X(SetCurrentDevice, int32_t, (int32_t address), 4, Called)                          \
  X(ReadAnalogChannel, int32_t, (int32_t channel), 4, LookedUp)                       \
  X(ReadAllAnalog, void, (int32_t * data1, int32_t * data2), 8, LookedUp)             \
  X(OutputAnalogChannel, void, (int32_t channel, int32_t data), 8, Called)            \
  X(OutputAllAnalog, void, (int32_t data1, int32_t data2), 8, LookedUp)               \
  X(ClearAnalogChannel, void, (int32_t channel), 4, LookedUp)                         \
  X(ClearAllAnalog, void, (), 0, LookedUp)                                            \
  X(SetAnalogChannel, void, (int32_t channel), 4, LookedUp)                           \
  X(SetAllAnalog, void, (), 0, LookedUp)                                              \
  X(WriteAllDigital, void, (int32_t data), 4, LookedUp)                               \
  X(ClearDigitalChannel, void, (int32_t channel), 4, Called)                          \
  X(ClearAllDigital, void, (), 0, LookedUp)                                           \
  X(SetDigitalChannel, void, (int32_t channel), 4, Called)                            \
  X(SetAllDigital, void, (), 0, LookedUp)                                             \
  X(ReadDigitalChannel, int32_t, (int32_t channel), 4, LookedUp)                      \
  X(ReadAllDigital, int32_t, (), 0, LookedUp)                                         \
  X(ReadCounter, int32_t, (int32_t counter), 4, LookedUp)                             \
  X(ResetCounter, void, (int32_t counter), 4, LookedUp)                               \
  X(SetCounterDebounceTime, void, (int32_t counter, int32_t time), 8, LookedUp)

// The entries by their row: veOpenDevice, veCloseDevice, ...
enum TVendorEntry {
#define VENDOR_ENUM(name, result, params, bytes, use) ve##name,
  VENDOR_ENTRY_LIST(VENDOR_ENUM)
#undef VENDOR_ENUM
  VendorEntryCount
};

// Exported names, indexed by TVendorEntry (k8055d/vendor_entry_names.cpp).
extern const char* const VendorEntryNames[VendorEntryCount];

// The stdcall pointer type of a row's signature.
template <typename TSignature>
struct TVendorSignature;
template <typename TResult, typename... TParams>
struct TVendorSignature<TResult(TParams...)> {
  using Pointer = TResult(K8055_STDCALL*)(TParams...);
  static constexpr int StackBytes = 4 * static_cast<int>(sizeof...(TParams));  // every argument is one 32-bit word
};

#define VENDOR_CHECK_STACK_BYTES(name, result, params, bytes, use) \
  static_assert(TVendorSignature<result params>::StackBytes == (bytes), #name ": stack bytes");
VENDOR_ENTRY_LIST(VENDOR_CHECK_STACK_BYTES)
#undef VENDOR_CHECK_STACK_BYTES
