// A stand-in for the vendor's k8055d.dll: up to four virtual boards, kept in
// memory. Its settings (board_settings.h: k8055d.ini beside this DLL and the
// environment, read at every OpenDevice and at any call while no board is
// open) list the card addresses that answer OpenDevice, may name a file in
// which every call is recorded (call_trace.h), and may give each open board
// a live window (board_window.h). Nothing is connected to the inputs, so
// every read gives 0.
#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "k8055d/vendor_entries.h"
#include "virtual_board/board_model.h"
#include "virtual_board/board_settings_win32.h"
#include "virtual_board/board_window.h"
#include "virtual_board/call_trace.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

TBoardModel Model;
TBoardSettings Settings;

// The settings as they are now, and the call record they name.
void ReadSettings() {
  LoadBoardSettingsOf(reinterpret_cast<HMODULE>(&__ImageBase), Settings);
  UseCallRecord(Settings);
}

// Records a call that arrived at time. While a board is open, its record
// stays the file it is; otherwise each call reads the settings afresh.
void TraceAt(int64_t time, const char* name, int argc = 0, int32_t a = 0, int32_t b = 0) {
  if (!Model.AnyOpen()) ReadSettings();
  TraceCall(time, Model.AnyOpen(), name, argc, a, b);
}

// Records a call that arrives now.
void Trace(const char* name, int argc = 0, int32_t a = 0, int32_t b = 0) { TraceAt(CallTime(), name, argc, a, b); }

// Shows the new state of the board an output call was for in its live
// window, if it has one.
void Changed(int32_t address) {
  if (address < 0) return;
  const TVirtualBoard& board = Model.Boards[address];
  UpdateBoardWindow(address, board.Digital, board.Analog[0], board.Analog[1]);
}

}  // namespace

#define BOARD_API extern "C" K8055_STDCALL

// OpenDevice and CloseDevice are recorded once they have taken effect, so
// that the record's file is closed as soon as no board is open.
BOARD_API int32_t OpenDevice(int32_t address) {
  const int64_t time = CallTime();
  ReadSettings();
  const bool answers = IsCardAddress(address) && (Settings.Boards >> address & 1) != 0;
  if (answers) {
    Model.Open(address);
    if (Settings.Window) ShowBoardWindow(address, Settings.Problems);
  }
  TraceAt(time, "OpenDevice", 1, address);
  return answers ? address : -1;
}

BOARD_API void CloseDevice() {
  const int64_t time = CallTime();
  const int32_t closed = Model.Close();
  if (closed >= 0) CloseBoardWindow(closed);
  TraceAt(time, "CloseDevice");
}

BOARD_API int32_t SetCurrentDevice(int32_t address) {
  Trace("SetCurrentDevice", 1, address);
  return Model.Select(address) ? address : -1;
}

BOARD_API int32_t ReadAnalogChannel(int32_t channel) {
  Trace("ReadAnalogChannel", 1, channel);
  return 0;
}

BOARD_API void ReadAllAnalog(int32_t* data1, int32_t* data2) {
  Trace("ReadAllAnalog");
  if (data1) *data1 = 0;
  if (data2) *data2 = 0;
}

BOARD_API void OutputAnalogChannel(int32_t channel, int32_t data) {
  Trace("OutputAnalogChannel", 2, channel, data);
  Changed(Model.Output(veOutputAnalogChannel, channel, data));
}

BOARD_API void OutputAllAnalog(int32_t data1, int32_t data2) {
  Trace("OutputAllAnalog", 2, data1, data2);
  Changed(Model.Output(veOutputAllAnalog, data1, data2));
}

BOARD_API void ClearAnalogChannel(int32_t channel) {
  Trace("ClearAnalogChannel", 1, channel);
  Changed(Model.Output(veClearAnalogChannel, channel));
}

BOARD_API void ClearAllAnalog() {
  Trace("ClearAllAnalog");
  Changed(Model.Output(veClearAllAnalog));
}

BOARD_API void SetAnalogChannel(int32_t channel) {
  Trace("SetAnalogChannel", 1, channel);
  Changed(Model.Output(veSetAnalogChannel, channel));
}

BOARD_API void SetAllAnalog() {
  Trace("SetAllAnalog");
  Changed(Model.Output(veSetAllAnalog));
}

BOARD_API void WriteAllDigital(int32_t data) {
  Trace("WriteAllDigital", 1, data);
  Changed(Model.Output(veWriteAllDigital, data));
}

BOARD_API void ClearDigitalChannel(int32_t channel) {
  Trace("ClearDigitalChannel", 1, channel);
  Changed(Model.Output(veClearDigitalChannel, channel));
}

BOARD_API void ClearAllDigital() {
  Trace("ClearAllDigital");
  Changed(Model.Output(veClearAllDigital));
}

BOARD_API void SetDigitalChannel(int32_t channel) {
  Trace("SetDigitalChannel", 1, channel);
  Changed(Model.Output(veSetDigitalChannel, channel));
}

BOARD_API void SetAllDigital() {
  Trace("SetAllDigital");
  Changed(Model.Output(veSetAllDigital));
}

BOARD_API int32_t ReadDigitalChannel(int32_t channel) {
  Trace("ReadDigitalChannel", 1, channel);
  return 0;
}

BOARD_API int32_t ReadAllDigital() {
  Trace("ReadAllDigital");
  return 0;
}

BOARD_API int32_t ReadCounter(int32_t counter) {
  Trace("ReadCounter", 1, counter);
  return 0;
}

BOARD_API void ResetCounter(int32_t counter) { Trace("ResetCounter", 1, counter); }

BOARD_API void SetCounterDebounceTime(int32_t counter, int32_t time) {
  Trace("SetCounterDebounceTime", 2, counter, time);
}

// Every entry point has the signature of its row in the vendor entry list.
#define CHECK_BOARD_SIGNATURE(name, result, params, bytes, use) \
  static_assert(std::is_same_v<decltype(&name), TVendorSignature<result params>::Pointer>, #name);
VENDOR_ENTRY_LIST(CHECK_BOARD_SIGNATURE)
#undef CHECK_BOARD_SIGNATURE
