#include "virtual_board/forwarding_win32.h"

#include "virtual_board/board_model.h"
#include "virtual_board/board_settings_win32.h"
#include "virtual_board/board_window.h"
#include "virtual_board/call_trace.h"
#include "virtual_board/forward_library_win32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

TForwardLibrary Library;
bool Forwarding = false;  // the session's decision
bool FreeLater = false;   // the session ended while the library could not be freed
int CallsInside = 0;      // forwarded calls inside the library now
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
// boards. The settings are read at every call that opens boards and at any
// call while no board is open, as the virtual boards read them.
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
  return Forwarding;
}

// Frees the library, or leaves it to the next call while calls are inside
// it or it raised: it may have left pointers into itself with its
// exception (an exception object of its own, which the caller's handler
// reads after the unwinding).
void FreeLibraryWhenSafe(bool raised) {
  FreeLater = raised || CallsInside > 0;
  if (!FreeLater) FreeForwardLibrary(Library);
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
void EndSession(bool raised) {
  for (int32_t address = 0; address < CardAddressCount; ++address)
    if (UnansweredWindows >> address & 1) CloseBoardWindow(address);
  UnansweredWindows = 0;
  Forwarding = false;
  FreeLibraryWhenSafe(raised);
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
  TForwardedCall call{entry, a, b, time, false, nullptr};
  if (FreeLater && !Forwarding) FreeLibraryWhenSafe(false);
  call.Forwarded = Forwards(entry);
  if (call.Forwarded) call.Vendor = Library.Entries[entry];
  if (call.Vendor != nullptr) ++CallsInside;
  return call;
}

// A call that raised changes no board, but for CloseDevice: the caller
// takes its boards as closed, as the library's CloseDevice closes them all.
void EndForwarded(const TForwardedCall& call, const TLibraryAnswer& answer) {
  if (call.Vendor != nullptr) --CallsInside;
  // The last call out of a library whose session ended meanwhile frees it.
  if (FreeLater && !Forwarding && !answer.Raised) FreeLibraryWhenSafe(false);
  if (!answer.Raised) FollowAnswer(call, answer.Result);
  if (answer.Raised && call.Entry == veCloseDevice) Model.Call(veCloseDevice);
  if (call.Entry == veCloseDevice)
    for (int32_t address = 0; address < CardAddressCount; ++address) CloseBoardWindow(address);
  TraceCall(call.Time, Model.AnyOpen(), VendorEntryNames[call.Entry], VendorEntryNumbers[call.Entry], call.A, call.B,
            &answer);
  if (call.Entry == veCloseDevice && !Model.AnyOpen()) EndSession(answer.Raised);
}
