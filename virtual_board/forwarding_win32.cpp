#include "virtual_board/forwarding_win32.h"

#include <cstring>

#include "virtual_board/board_model.h"
#include "virtual_board/board_settings_win32.h"
#include "virtual_board/board_window.h"
#include "virtual_board/call_trace.h"
#include "virtual_board/forward_library_win32.h"
#include "virtual_board/virtual_board.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The library's references: the session's, one for each call inside it,
// one for each call that raised (kept until the next decision); it is
// loaded while any is held.
TForwardLibrary Library;
char LibraryPath[SettingsTextSize];  // the forward setting it was loaded for
bool SessionHolds = false;
int CallsInside = 0;
int RaisedCalls = 0;
HMODULE Released = nullptr;  // the library whose last reference went, freed once the lock is left
bool Forwarding = false;  // the session's decision
uint32_t Session = 0;     // counts the decisions
char Refusal[SettingsTextSize];  // why the library is not used; empty while it is
TBoardSettings Settings;
TBoardModel Model;  // the boards as the calls sent to the library leave them
uint8_t UnansweredWindows = 0;  // bit a: the window of card address a, whose OpenDevice gave -1

void ReadSettings() {
  LoadBoardSettingsOf(reinterpret_cast<HMODULE>(&__ImageBase), Settings);
  UseCallRecord(Settings);
}

// Hands the library over to be freed when no reference holds it.
void ReleaseIfUnused() {
  if (Library.Module == nullptr || SessionHolds || CallsInside > 0 || RaisedCalls > 0) return;
  Released = Library.Module;
  Library = TForwardLibrary{};
}

// A new session: it keeps the library loaded for the same setting, lets go
// of the last session's reference and of those of the calls that raised
// (their handlers have ended by now, or have called on into a new
// session), and loads the library the settings name when none is.
void Decide() {
  ++Session;
  const bool wanted = Settings.Forward[0] != '\0';
  const bool same = Library.Module != nullptr && std::strcmp(LibraryPath, Settings.Forward) == 0;
  SessionHolds = wanted && same;
  RaisedCalls = 0;
  ReleaseIfUnused();
  Forwarding = wanted;
  if (!wanted) return;
  CloseVirtualBoards();
  // A library that another thread's call still holds serves this session too.
  if (Library.Module != nullptr) {
    SessionHolds = true;
    return;
  }
  Refusal[0] = '\0';
  TFixedText refusal(Refusal, sizeof(Refusal));
  if (!LoadForwardLibrary(Settings.Forward, Library, refusal)) return;
  std::memcpy(LibraryPath, Settings.Forward, sizeof(LibraryPath));
  SessionHolds = true;
}

// Whether a call goes on to the library (or, when it is refused, is
// answered as by a board that does not exist) rather than to the virtual
// boards. The settings are read at every call that opens boards and at any
// call while no board is open, as the virtual boards read them.
bool Forwards(TVendorEntry entry) {
  const bool opens = entry == veOpenDevice || entry == veSearchDevices;
  if (!opens && !Forwarding) return false;
  const bool decide = !Model.AnyOpen();
  if (opens || decide) ReadSettings();
  if (opens && decide) Decide();
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

void ShowOutputs(int32_t address) {
  if (address >= 0) UpdateBoardWindow(address, TBoardView{Model.Boards[address].Own, false, false});
}

// The end of a forwarded session: no board is open.
void EndSession() {
  for (int32_t address = 0; address < CardAddressCount; ++address)
    if (UnansweredWindows >> address & 1) CloseBoardWindow(address);
  UnansweredWindows = 0;
  Forwarding = false;
  SessionHolds = false;
  ReleaseIfUnused();
}

// What a call the library answered did to the boards and their windows.
void FollowAnswer(const TForwardedCall& call, int32_t answer) {
  const int32_t a = call.A;
  if (call.Entry == veOpenDevice || call.Entry == veSearchDevices) {
    const uint8_t found = call.Entry == veSearchDevices ? static_cast<uint8_t>(answer)
                          : !IsCardAddress(a)          ? Model.Plugged
                          : answer != -1               ? static_cast<uint8_t>(Model.Plugged | 1u << a)
                                                       : static_cast<uint8_t>(Model.Plugged & ~(1u << a));
    Model.SetPlugged(found);
    const TBoardCall opened = Model.Call(call.Entry, a);
    for (int32_t address = 0; address < CardAddressCount; ++address)
      if (opened.Opened >> address & 1) ShowForwardedWindow(address, address == a ? answer : address);
    if (call.Entry == veOpenDevice && answer == -1) ShowForwardedWindow(a, answer);
  } else if (call.Entry == veSetCurrentDevice) {
    if (Model.Hold(a, answer != -1)) ShowForwardedWindow(a, a);
    Model.Call(call.Entry, a);
  } else {
    ShowOutputs(Model.Call(call.Entry, a, call.B).Reached);
  }
}

}  // namespace

TForwardedCall BeginForwarded(TVendorEntry entry, int32_t a, int32_t b, int64_t time) {
  TForwardedCall call{entry, a, b, time, false, nullptr, 0};
  call.Forwarded = Forwards(entry);
  call.Session = Session;
  if (call.Forwarded) call.Vendor = Library.Entries[entry];
  if (call.Vendor != nullptr) ++CallsInside;
  return call;
}

// A call of the session now follows the library's answer; one that raised
// changes no board, but for CloseDevice: the caller takes its boards as
// closed, as the library's CloseDevice closes them all. A call whose
// session another thread's CloseDevice ended meanwhile only has its line.
void EndForwarded(const TForwardedCall& call, const TLibraryAnswer& answer) {
  // A call that raised keeps its reference: its handler may read pointers
  // into the library (its exception's address, often its message).
  if (call.Vendor != nullptr) {
    --CallsInside;
    if (answer.Raised) ++RaisedCalls;
  }
  const bool current = Forwarding && call.Session == Session;
  if (current && !answer.Raised) FollowAnswer(call, answer.Result);
  if (current && answer.Raised && call.Entry == veCloseDevice) Model.Call(veCloseDevice);
  if (current && call.Entry == veCloseDevice)
    for (int32_t address = 0; address < CardAddressCount; ++address) CloseBoardWindow(address);
  // The record stays open for the lines of calls still inside.
  TraceCall(call.Time, Model.AnyOpen() || CallsInside > 0, VendorEntryNames[call.Entry],
            VendorEntryNumbers[call.Entry], call.A, call.B, &answer);
  if (current && call.Entry == veCloseDevice && !Model.AnyOpen()) EndSession();
  ReleaseIfUnused();
}

HMODULE TakeReleasedLibrary() {
  HMODULE released = Released;
  Released = nullptr;
  return released;
}
