// The vendor library's entry points, one row each: the 21 that the module
// looks up, in the order it stores them, then the four more that the
// library exports and the module never uses. Everything else about them is
// derived from these rows: the entry enum (here), the name table, the typed
// calls of the entries the module calls, and the virtual board's exports
// (its build reads this file, one row per line) with their stdcall
// decorations.
//
//   X(name, result, (parameters), stack bytes, use)
//
// stack bytes: what a stdcall callee removes, 4 per argument; the number in
// the decorated name "OpenDevice@4". use: Called for the six entry points
// the module calls, LookedUp for the fifteen it only requires to be there,
// Unused for those it neither calls nor looks up (which other programs
// that load a k8055d.dll call).
#pragma once

#include <cstdint>
#include <span>
#include <type_traits>

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

#define VENDOR_UNUSED_ENTRY_LIST(X)                                                   \
  X(SearchDevices, int32_t, (), 0, Unused)                                            \
  X(Version, int32_t, (), 0, Unused)                                                  \
  X(Connected, int32_t, (), 0, Unused)                                                \
  X(ReadAll, void, (int32_t * values), 4, Unused)

// Every entry point the library exports: the module's, then the others.
#define LIBRARY_ENTRY_LIST(X) VENDOR_ENTRY_LIST(X) VENDOR_UNUSED_ENTRY_LIST(X)

// The entries by their row: veOpenDevice, veCloseDevice, ...; the first
// VendorEntryCount are the module's.
enum TVendorEntry {
#define VENDOR_ENUM(name, result, params, bytes, use) ve##name,
  LIBRARY_ENTRY_LIST(VENDOR_ENUM)
#undef VENDOR_ENUM
  LibraryEntryCount
};
inline constexpr int VendorEntryCount = veSearchDevices;

// Exported names, indexed by TVendorEntry (k8055d/vendor_entry_names.cpp),
// and those of the module's entry points alone.
extern const char* const VendorEntryNames[LibraryEntryCount];
inline constexpr std::span<const char* const> ModuleEntryNames(VendorEntryNames, VendorEntryCount);

// ReadAll's values: the digital inputs, the status byte, the two analog
// inputs and the four bytes of the counters.
inline constexpr int ReadAllValues = 8;

// The stdcall pointer type of a row's signature.
template <typename TSignature>
struct TVendorSignature;
template <typename TResult, typename... TParams>
struct TVendorSignature<TResult(TParams...)> {
  using Pointer = TResult(K8055_STDCALL*)(TParams...);
  static constexpr int StackBytes = 4 * static_cast<int>(sizeof...(TParams));  // every argument is one 32-bit word
};

// Whether a row's entry point gives a result, and how many of its
// parameters are numbers (the call record's arguments) rather than
// pointers that it fills.
template <typename TSignature>
struct TVendorShape;
template <typename TResult, typename... TParams>
struct TVendorShape<TResult(TParams...)> {
  static constexpr bool HasResult = !std::is_void_v<TResult>;
  static constexpr int Numbers = (0 + ... + (std::is_pointer_v<TParams> ? 0 : 1));
};
#define VENDOR_HAS_RESULT(name, result, params, bytes, use) TVendorShape<result params>::HasResult,
inline constexpr bool VendorEntryHasResult[LibraryEntryCount] = {LIBRARY_ENTRY_LIST(VENDOR_HAS_RESULT)};
#undef VENDOR_HAS_RESULT
#define VENDOR_NUMBERS(name, result, params, bytes, use) TVendorShape<result params>::Numbers,
inline constexpr int VendorEntryNumbers[LibraryEntryCount] = {LIBRARY_ENTRY_LIST(VENDOR_NUMBERS)};
#undef VENDOR_NUMBERS

#define VENDOR_CHECK_STACK_BYTES(name, result, params, bytes, use) \
  static_assert(TVendorSignature<result params>::StackBytes == (bytes), #name ": stack bytes");
LIBRARY_ENTRY_LIST(VENDOR_CHECK_STACK_BYTES)
#undef VENDOR_CHECK_STACK_BYTES
