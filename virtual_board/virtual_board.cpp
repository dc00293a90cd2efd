#include "virtual_board/virtual_board.h"

#include <windows.h>

#include "virtual_board/board_model.h"
#include "virtual_board/board_pace_win32.h"
#include "virtual_board/board_plugs_win32.h"
#include "virtual_board/board_settings_win32.h"
#include "virtual_board/board_window.h"
#include "virtual_board/call_trace.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

TBoardModel Model;
TBoardSettings Settings;
uint32_t CallsTaken = 0;  // since the library was loaded, for the unplug times

// The settings as they are now, and the call record they name.
void ReadSettings() {
  LoadBoardSettingsOf(reinterpret_cast<HMODULE>(&__ImageBase), Settings);
  UseCallRecord(Settings);
}

TBoardView ViewOf(int32_t address) {
  const TVirtualBoard& board = Model.Boards[address];
  return TBoardView{board.Own, board.Dropped, board.HandleLost};
}

// The windows after a call: a board opened gets one, one whose state
// changed shows it, and all go when the library closes its boards.
void ShowCall(const TBoardCall& call, uint8_t changed) {
  if (call.ClosedAll) {
    for (int32_t address = 0; address < CardAddressCount; ++address) CloseBoardWindow(address);
    return;
  }
  for (int32_t address = 0; address < CardAddressCount; ++address) {
    if (Settings.Window && (call.Opened >> address & 1)) ShowBoardWindow(address, Settings.Problems, true);
    if ((changed | call.Opened) >> address & 1 || call.Reached == address || call.Dropped == address)
      UpdateBoardWindow(address, ViewOf(address));
  }
}

}  // namespace

int32_t VirtualBoardCall(TVendorEntry entry, int32_t a, int32_t b) {
  const int64_t time = CallTime();
  if (entry == veOpenDevice || entry == veSearchDevices || !Model.AnyOpen()) ReadSettings();
  const uint8_t changed = FollowPlugs(Model, Settings.Boards, Settings.Unplug, ++CallsTaken);
  const TBoardCall call = Model.Call(entry, a, b);
  ShowCall(call, changed);
  if (call.Reached >= 0) TakeBoardTime(time, Settings.PaceMs);
  if (!Model.AnyOpen()) EndBoardTime();
  TLibraryAnswer answer;
  answer.HasResult = VendorEntryHasResult[entry];
  answer.Result = call.Result;
  answer.TransferFailed = call.Dropped;
  TraceCall(time, Model.AnyOpen(), VendorEntryNames[entry], VendorEntryNumbers[entry], a, b, &answer);
  return call.Result;
}

void CloseVirtualBoards() {
  if (!Model.AnyOpen()) return;
  ShowCall(Model.Call(veCloseDevice), 0);
  EndBoardTime();
}
