// The virtual board's 21 exports, made from the vendor entry rows: while no
// forward library is set they are the virtual boards (virtual_board.cpp);
// with forward set in the settings (board_settings.h) every call goes on to
// that library unchanged and its answer comes back unchanged, the call
// record and the board windows showing what was sent and what the library
// answered, while boards is ignored. The library is loaded at the first
// OpenDevice of a session (forward_library_win32.h), and the decision to
// forward is taken there, while no forwarded board is open. A library that
// cannot be used is never replaced by virtual boards: every OpenDevice
// answers -1 and the reason shows in the board windows.
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

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The virtual boards' own entry points (virtual_board.cpp).
#define DECLARE_VIRTUAL_ENTRY(name, result, params, bytes, use) extern "C" K8055_STDCALL result name params;
VENDOR_ENTRY_LIST(DECLARE_VIRTUAL_ENTRY)
#undef DECLARE_VIRTUAL_ENTRY

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
// boards. The settings are read at every OpenDevice and at any call while
// no board is open, as the virtual boards read them.
bool Forwards(TVendorEntry entry) {
  if (entry != veOpenDevice && !Forwarding) return false;
  const bool decide = !Model.AnyOpen();
  if (entry == veOpenDevice || decide) ReadSettings();
  if (entry != veOpenDevice || !decide) return Forwarding;
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
  ShowBoardWindow(address, text);
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

// The boards' state and windows after a forwarded call, and its record.
void Forwarded(TVendorEntry entry, int64_t time, int argc, const int32_t* words, const TLibraryAnswer& library) {
  const int32_t answer = library.Result;
  const int32_t a = words[0], b = words[1];
  if (entry == veOpenDevice) {
    if (answer != -1) Model.Open(a);
    ShowForwardedWindow(a, answer);
  } else if (entry == veSetCurrentDevice) {
    if (answer != -1) Model.Select(a);
  } else if (entry != veCloseDevice) {
    const int32_t address = Model.Output(entry, a, b);
    if (address >= 0) {
      const TVirtualBoard& board = Model.Boards[address];
      UpdateBoardWindow(address, board.Digital, board.Analog[0], board.Analog[1]);
    }
  }
  int32_t closed = -1;
  if (entry == veCloseDevice) closed = Model.Close();
  if (closed >= 0) CloseBoardWindow(closed);
  TraceCall(time, Model.AnyOpen(), VendorEntryNames[entry], argc, a, b, &library);
  if (entry == veCloseDevice && !Model.AnyOpen()) EndSession();
}

// The answer of a library that is not there: no board answers, nothing is read.
constexpr int32_t RefusedAnswer(TVendorEntry entry) {
  return entry == veOpenDevice || entry == veSetCurrentDevice ? -1 : 0;
}

int32_t Word(int32_t value) { return value; }
int32_t Word(int32_t*) { return 0; }  // ReadAllAnalog's outputs, which the record does not show

// An export of the board: Virtual, the virtual boards' entry point, or the
// library's, with the same arguments.
template <TVendorEntry Entry, auto Virtual>
struct TBoardEntry;
template <TVendorEntry Entry, typename TResult, typename... TArgs, TResult(K8055_STDCALL* Virtual)(TArgs...)>
struct TBoardEntry<Entry, Virtual> {
  static TResult K8055_STDCALL Call(TArgs... args) {
    const int64_t time = CallTime();
    if (!Forwards(Entry)) return Virtual(args...);
    const auto vendor =
        reinterpret_cast<TResult(K8055_STDCALL*)(TArgs...)>(reinterpret_cast<void*>(Library.Entries[Entry]));
    constexpr int argc = (0 + ... + std::is_same_v<TArgs, int32_t>);
    const int32_t words[] = {Word(args)..., 0, 0};
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
    Forwarded(Entry, time, argc, words, library);
    if constexpr (!std::is_void_v<TResult>) return library.Result;
  }
};

}  // namespace

#define BOARD_EXPORT(name, result, params, bytes, use)                               \
  extern "C" const TVendorSignature<result params>::Pointer Board##name##Handler; \
  const TVendorSignature<result params>::Pointer Board##name##Handler = &TBoardEntry<ve##name, &name>::Call; \
  EXPORT_ENTRY_THUNK(Board, name, result, params)
VENDOR_ENTRY_LIST(BOARD_EXPORT)
#undef BOARD_EXPORT
