// The virtual board's exports, one for each of the vendor library's entry
// points, made from the vendor entry rows: while no forward library is set
// they are the virtual boards (virtual_board.h);
// with forward set in the settings (board_settings.h) every call goes on to
// that library unchanged and its answer comes back unchanged, the call
// record and the board windows showing what was sent and what the library
// answered, while boards is ignored. The library is loaded at the first
// OpenDevice of a session (forward_library_win32.h), and the decision to
// forward is taken there, while no forwarded board is open. A library that
// cannot be used is never replaced by virtual boards: every OpenDevice
// answers -1 and the reason shows in the board windows. A library without
// one of the entry points that the module never uses (an older one) has
// the calls of it answered as by a library without boards.
//
// The boards' model follows what the library answers: a board it opens
// gets its window, a board it answers -1 for is no longer held, and
// CloseDevice closes every board, as the vendor's library does.
//
// The library is freed when a CloseDevice leaves no board open, the end of
// a host's session; not at DLL_PROCESS_DETACH, where FreeLibrary is not
// safe (DllMain's remarks), so a host that frees the virtual board without
// closing its boards leaves the library loaded until the process ends.
// The window of an address whose OpenDevice gave -1 goes at the same end of
// the session; where no board ever opens (a refused library), it stays
// until the process ends, naming the reason.
#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "k8055d/loader_call_guard_win32.h"
#include "k8055d/vendor_entries.h"
#include "virtual_board/board_model.h"
#include "virtual_board/board_settings_win32.h"
#include "virtual_board/board_window.h"
#include "virtual_board/call_trace.h"
#include "virtual_board/entry_thunks.h"
#include "virtual_board/forward_library_win32.h"
#include "virtual_board/virtual_board.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The export by which a forward library is known as a virtual board.
extern "C" void VirtualK8055BoardMarker() {}

namespace {

TForwardLibrary Library;
bool Forwarding = false;  // the session's decision, taken at an OpenDevice while no board is open
char Refusal[SettingsTextSize];  // why the library is not used; empty while it is
TBoardSettings Settings;
TBoardModel Model;  // the boards as the calls sent to the library leave them
uint8_t UnansweredWindows = 0;  // bit a: the window of card address a, whose OpenDevice gave -1

void ReadSettings() {
  LoadBoardSettingsOf(reinterpret_cast<HMODULE>(&__ImageBase), Settings);
  UseCallRecord(Settings);
}

// Whether a call goes on to the library (or, when it is refused, is
// answered as by a board that does not exist) rather than to the virtual
// boards. The decision is taken at a call that opens boards (OpenDevice,
// SearchDevices) while none is open. The settings are read at every such
// call and at any call while no board is open, as the virtual boards read
// them.
bool Forwards(TVendorEntry entry) {
  const bool opens = entry == veOpenDevice || entry == veSearchDevices;
  if (!opens && !Forwarding) return false;
  const bool decide = !Model.AnyOpen();
  if (opens || decide) ReadSettings();
  if (!opens || !decide) return Forwarding;
  Forwarding = Settings.Forward[0] != '\0';
  if (Forwarding && Library.Module == nullptr) {
    Refusal[0] = '\0';
    TFixedText refusal(Refusal, sizeof(Refusal));
    LoadForwardLibrary(Settings.Forward, Library, refusal);
  }
  if (!Forwarding) FreeForwardLibrary(Library);
  return Forwarding;
}

void ShowForwardedWindow(int32_t address, int32_t answer) {
  if (!Settings.Window || !IsCardAddress(address)) return;
  char text[2 * SettingsTextSize] = "";
  TFixedText problems(text, sizeof(text));
  problems << Settings.Problems;
  if (Library.Module == nullptr) problems.NextLine() << Refusal;
  else if (answer == -1)
    problems.NextLine() << "the vendor's library answered OpenDevice " << static_cast<int64_t>(address)
                        << " with -1: no board has this card address";
  else if (answer != address)
    problems.NextLine() << "the vendor's library answered OpenDevice " << static_cast<int64_t>(address) << " with "
                        << static_cast<int64_t>(answer);
  ShowBoardWindow(address, text, false);
  if (answer == -1) UnansweredWindows = static_cast<uint8_t>(UnansweredWindows | 1u << address);
}

// The end of a forwarded session: no board is open.
void EndSession() {
  for (int32_t address = 0; address < CardAddressCount; ++address)
    if (UnansweredWindows >> address & 1) CloseBoardWindow(address);
  UnansweredWindows = 0;
  FreeForwardLibrary(Library);
  Forwarding = false;
}

void ShowOutputs(int32_t address) {
  if (address >= 0) UpdateBoardWindow(address, TBoardView{Model.Boards[address].Own, false, false});
}

// The boards' state and windows after a forwarded call, and its record.
void Forwarded(TVendorEntry entry, int64_t time, const int32_t* words, const TLibraryAnswer& library) {
  const int32_t answer = library.Result;
  const int32_t a = words[0], b = words[1];
  if (entry == veOpenDevice || entry == veSearchDevices) {
    const uint8_t found = entry == veSearchDevices ? static_cast<uint8_t>(answer)
                          : !IsCardAddress(a)      ? Model.Plugged
                          : answer != -1           ? static_cast<uint8_t>(Model.Plugged | 1u << a)
                                                   : static_cast<uint8_t>(Model.Plugged & ~(1u << a));
    Model.SetPlugged(found);
    const TBoardCall call = Model.Call(entry, a);
    for (int32_t address = 0; address < CardAddressCount; ++address)
      if (call.Opened >> address & 1) ShowForwardedWindow(address, address == a ? answer : address);
    if (entry == veOpenDevice && answer == -1) ShowForwardedWindow(a, answer);
  } else if (entry == veSetCurrentDevice) {
    if (Model.Hold(a, answer != -1)) ShowForwardedWindow(a, a);
    Model.Call(entry, a);
  } else {
    const TBoardCall call = Model.Call(entry, a, b);
    ShowOutputs(call.Reached);
    if (call.ClosedAll)
      for (int32_t address = 0; address < CardAddressCount; ++address) CloseBoardWindow(address);
  }
  TraceCall(time, Model.AnyOpen(), VendorEntryNames[entry], VendorEntryNumbers[entry], a, b, &library);
  if (entry == veCloseDevice && !Model.AnyOpen()) EndSession();
}

// The answer of a library that is not there: no board answers, nothing is
// read, none is found.
constexpr int32_t RefusedAnswer(TVendorEntry entry) {
  return entry == veOpenDevice || entry == veSetCurrentDevice ? -1 : 0;
}

int32_t Word(int32_t value) { return value; }
int32_t Word(int32_t*) { return 0; }  // the values a read fills, which the record does not show

// What the virtual boards fill in: 0, since nothing is connected.
void FillNothing(int32_t, int) {}
void FillNothing(int32_t* values, int count) {
  for (int i = 0; values != nullptr && i < count; ++i) values[i] = 0;
}

// An export of the board: the virtual boards' answer, or the library's,
// with the same arguments.
template <TVendorEntry Entry, typename TSignature>
struct TBoardEntry;
template <TVendorEntry Entry, typename TResult, typename... TArgs>
struct TBoardEntry<Entry, TResult(TArgs...)> {
  static TResult K8055_STDCALL Call(TArgs... args) {
    const int32_t words[] = {Word(args)..., 0, 0};
    if (!Forwards(Entry)) {
      (FillNothing(args, Entry == veReadAll ? ReadAllValues : 1), ...);
      const int32_t result = VirtualBoardCall(Entry, words[0], words[1]);
      if constexpr (!std::is_void_v<TResult>) return result;
      else return;
    }
    const int64_t time = CallTime();
    const auto vendor =
        reinterpret_cast<TResult(K8055_STDCALL*)(TArgs...)>(reinterpret_cast<void*>(Library.Entries[Entry]));
    TLibraryAnswer library;
    library.HasResult = !std::is_void_v<TResult>;
    library.Result = RefusedAnswer(Entry);
    if (vendor != nullptr) {
      TLoaderCallGuard guard;  // the caller's floating-point state and error mode kept
      const int64_t start = CallTime();
      if constexpr (std::is_void_v<TResult>) vendor(args...);
      else library.Result = vendor(args...);
      library.SpentUs = CallTime() - start;
    }
    Forwarded(Entry, time, words, library);
    if constexpr (!std::is_void_v<TResult>) return library.Result;
  }
};

}  // namespace

#define BOARD_EXPORT(name, result, params, bytes, use)                               \
  extern "C" const TVendorSignature<result params>::Pointer Board##name##Handler; \
  const TVendorSignature<result params>::Pointer Board##name##Handler = &TBoardEntry<ve##name, result params>::Call; \
  EXPORT_ENTRY_THUNK(Board, name, result, params)
LIBRARY_ENTRY_LIST(BOARD_EXPORT)
#undef BOARD_EXPORT
