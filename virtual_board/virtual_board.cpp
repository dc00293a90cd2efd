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
#include "virtual_board/board_settings_win32.h"
#include "virtual_board/board_window.h"
#include "virtual_board/call_trace.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

struct TBoard {
  bool Open;
  uint8_t Digital;   // bit n-1 = digital output n
  int32_t Analog[2];
};

TBoard Boards[4];
int32_t Current = -1;

bool AnyBoardOpen() {
  for (const TBoard& board : Boards)
    if (board.Open) return true;
  return false;
}

TBoardSettings Settings;

// The settings as they are now, and the call record they name.
void ReadSettings() {
  wchar_t path[SettingsTextSize];
  const DWORD n = GetModuleFileNameW(reinterpret_cast<HMODULE>(&__ImageBase), path, SettingsTextSize);
  path[n < SettingsTextSize ? n : 0] = L'\0';  // Windows XP leaves a cut path without its NUL
  LoadBoardSettings(path, Settings);
  UseCallRecord(Settings);
}

// While a board is open, its record stays the file it is; otherwise each
// call reads the settings afresh.
void Trace(const char* name, int argc = 0, int32_t a = 0, int32_t b = 0) {
  if (!AnyBoardOpen()) ReadSettings();
  TraceCall(AnyBoardOpen(), name, argc, a, b);
}

TBoard* Selected() { return Current >= 0 && Boards[Current].Open ? &Boards[Current] : nullptr; }

// Shows a board's new state in its live window, if it has one.
void Changed(const TBoard* board) {
  UpdateBoardWindow(static_cast<int32_t>(board - Boards), board->Digital, board->Analog[0], board->Analog[1]);
}

bool ValidDigital(int32_t channel) { return channel >= 1 && channel <= 8; }
bool ValidAnalog(int32_t channel) { return channel == 1 || channel == 2; }

}  // namespace

#define BOARD_API extern "C" K8055_STDCALL

// OpenDevice and CloseDevice are recorded once they have taken effect, so
// that the record's file is closed as soon as no board is open.
BOARD_API int32_t OpenDevice(int32_t address) {
  ReadSettings();
  const bool answers = address >= 0 && address <= 3 && (Settings.Boards >> address & 1) != 0;
  if (answers) {
    Boards[address].Open = true;
    Current = address;
    if (Settings.Window) ShowBoardWindow(address, Settings.Problems);
  }
  Trace("OpenDevice", 1, address);
  return answers ? address : -1;
}

BOARD_API void CloseDevice() {
  if (TBoard* board = Selected()) {
    *board = TBoard{};
    CloseBoardWindow(Current);
  }
  Trace("CloseDevice");
}

BOARD_API int32_t SetCurrentDevice(int32_t address) {
  Trace("SetCurrentDevice", 1, address);
  if (address < 0 || address > 3 || !Boards[address].Open) return -1;
  Current = address;
  return address;
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
  TBoard* board = Selected();
  if (board && ValidAnalog(channel)) {
    board->Analog[channel - 1] = data & 0xFF;
    Changed(board);
  }
}

BOARD_API void OutputAllAnalog(int32_t data1, int32_t data2) {
  Trace("OutputAllAnalog", 2, data1, data2);
  if (TBoard* board = Selected()) {
    board->Analog[0] = data1 & 0xFF;
    board->Analog[1] = data2 & 0xFF;
    Changed(board);
  }
}

BOARD_API void ClearAnalogChannel(int32_t channel) {
  Trace("ClearAnalogChannel", 1, channel);
  TBoard* board = Selected();
  if (board && ValidAnalog(channel)) {
    board->Analog[channel - 1] = 0;
    Changed(board);
  }
}

BOARD_API void ClearAllAnalog() {
  Trace("ClearAllAnalog");
  if (TBoard* board = Selected()) {
    board->Analog[0] = board->Analog[1] = 0;
    Changed(board);
  }
}

BOARD_API void SetAnalogChannel(int32_t channel) {
  Trace("SetAnalogChannel", 1, channel);
  TBoard* board = Selected();
  if (board && ValidAnalog(channel)) {
    board->Analog[channel - 1] = 255;
    Changed(board);
  }
}

BOARD_API void SetAllAnalog() {
  Trace("SetAllAnalog");
  if (TBoard* board = Selected()) {
    board->Analog[0] = board->Analog[1] = 255;
    Changed(board);
  }
}

BOARD_API void WriteAllDigital(int32_t data) {
  Trace("WriteAllDigital", 1, data);
  if (TBoard* board = Selected()) {
    board->Digital = static_cast<uint8_t>(data);
    Changed(board);
  }
}

BOARD_API void ClearDigitalChannel(int32_t channel) {
  Trace("ClearDigitalChannel", 1, channel);
  TBoard* board = Selected();
  if (board && ValidDigital(channel)) {
    board->Digital &= static_cast<uint8_t>(~(1u << (channel - 1)));
    Changed(board);
  }
}

BOARD_API void ClearAllDigital() {
  Trace("ClearAllDigital");
  if (TBoard* board = Selected()) {
    board->Digital = 0;
    Changed(board);
  }
}

BOARD_API void SetDigitalChannel(int32_t channel) {
  Trace("SetDigitalChannel", 1, channel);
  TBoard* board = Selected();
  if (board && ValidDigital(channel)) {
    board->Digital |= static_cast<uint8_t>(1u << (channel - 1));
    Changed(board);
  }
}

BOARD_API void SetAllDigital() {
  Trace("SetAllDigital");
  if (TBoard* board = Selected()) {
    board->Digital = 0xFF;
    Changed(board);
  }
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
