#include "virtual_board/board_model.h"

namespace {

int32_t Clamped(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

uint8_t DigitalBit(int32_t channel) { return static_cast<uint8_t>(1u << (Clamped(channel, 1, DigitalChannels) - 1)); }
uint8_t& AnalogOf(TBoardOutputs& outputs, int32_t channel) {
  return outputs.Analog[Clamped(channel, 1, AnalogChannels) - 1];
}
uint8_t LowByte(int32_t value) { return static_cast<uint8_t>(value & 0xFF); }

// What an output call makes of the working copy; false for an entry that
// is no output call.
bool ApplyOutput(TVendorEntry entry, int32_t a, int32_t b, TBoardOutputs& outputs) {
  switch (entry) {
    case veOutputAnalogChannel: AnalogOf(outputs, a) = LowByte(b); return true;
    case veOutputAllAnalog:
      outputs.Analog[0] = LowByte(a);
      outputs.Analog[1] = LowByte(b);
      return true;
    case veClearAnalogChannel: AnalogOf(outputs, a) = 0; return true;
    case veSetAnalogChannel: AnalogOf(outputs, a) = AnalogMax; return true;
    case veClearAllAnalog: outputs.Analog[0] = outputs.Analog[1] = 0; return true;
    case veSetAllAnalog: outputs.Analog[0] = outputs.Analog[1] = AnalogMax; return true;
    case veWriteAllDigital: outputs.Digital = LowByte(a); return true;
    case veClearDigitalChannel: outputs.Digital = static_cast<uint8_t>(outputs.Digital & ~DigitalBit(a)); return true;
    case veSetDigitalChannel: outputs.Digital = static_cast<uint8_t>(outputs.Digital | DigitalBit(a)); return true;
    case veClearAllDigital: outputs.Digital = 0; return true;
    case veSetAllDigital: outputs.Digital = 0xFF; return true;
    default: return false;
  }
}

// Whether the entry makes one transfer to or from the selected board (a
// read, or a command that changes no output).
bool Transfers(TVendorEntry entry) {
  switch (entry) {
    case veReadAnalogChannel:
    case veReadAllAnalog:
    case veReadDigitalChannel:
    case veReadAllDigital:
    case veReadCounter:
    case veResetCounter:
    case veSetCounterDebounceTime:
    case veConnected:
    case veReadAll: return true;
    default: return false;
  }
}

}  // namespace

bool IsOutputCall(TVendorEntry entry) {
  TBoardOutputs scratch;
  return ApplyOutput(entry, 0, 0, scratch);
}

bool TBoardModel::AnyOpen() const {
  for (const TVirtualBoard& board : Boards)
    if (board.Open) return true;
  return false;
}

void TBoardModel::SetPlugged(uint8_t plugged) {
  for (int32_t address = 0; address < CardAddressCount; ++address) {
    if (!(Plugged >> address & 1) || (plugged >> address & 1)) continue;
    TVirtualBoard& board = Boards[address];
    board.HandleLost = board.HandleLost || board.Open;
    board.Own = TBoardOutputs{};
  }
  Plugged = static_cast<uint8_t>(plugged & ((1u << CardAddressCount) - 1));
}

TBoardCall TBoardModel::Call(TVendorEntry entry, int32_t a, int32_t b) {
  TBoardCall call;
  // One transfer with the selected board: it fails on a dead handle, and
  // the library closes the board.
  const auto transfer = [&] {
    TVirtualBoard& board = Boards[Selected];
    if (!board.Open) return false;
    if (board.HandleLost || !(Plugged >> Selected & 1)) {
      board = TVirtualBoard{false, true, false, board.Kept, TBoardOutputs{}};
      call.Dropped = Selected;
      return false;
    }
    call.Reached = Selected;
    return true;
  };
  switch (entry) {
    case veOpenDevice:
    case veSearchDevices:
      for (int32_t address = 0; address < CardAddressCount; ++address) {
        TVirtualBoard& board = Boards[address];
        if (!(Plugged >> address & 1)) continue;
        if (!board.Open) call.Opened = static_cast<uint8_t>(call.Opened | 1u << address);
        board.Open = true;
        board.Dropped = board.HandleLost = false;
      }
      if (entry == veSearchDevices) {
        call.Result = Plugged;
      } else if (IsCardAddress(a) && (Plugged >> a & 1 || Boards[a].Open)) {
        // A board pulled out while open is still held: the listing misses
        // it, yet the library answers for it until a transfer to it fails.
        Selected = a;
        call.Result = a;
      } else {
        call.Result = -1;
      }
      return call;
    case veSetCurrentDevice:
      if (!IsCardAddress(a) || !Boards[a].Open) {
        call.Result = -1;
        return call;
      }
      Selected = a;
      Working = Boards[a].Kept;
      call.Result = a;
      return call;
    case veCloseDevice:
      for (TVirtualBoard& board : Boards) board.Open = false;
      call.ClosedAll = true;
      return call;
    case veVersion: call.Result = LibraryVersion; return call;
    case veConnected: call.Result = transfer() ? 1 : 0; return call;
    default: break;
  }
  if (ApplyOutput(entry, a, b, Working)) {
    Boards[Selected].Kept = Working;
    if (transfer()) Boards[Selected].Own = Working;
  } else if (Transfers(entry)) {
    transfer();
  }
  return call;
}

bool TBoardModel::Hold(int32_t address, bool open) {
  if (!IsCardAddress(address)) return false;
  TVirtualBoard& board = Boards[address];
  if (!open) {
    if (board.Open) board = TVirtualBoard{false, true, false, board.Kept, board.Own};
    return false;
  }
  Plugged = static_cast<uint8_t>(Plugged | 1u << address);
  if (board.Open) return false;
  board.Open = true;
  board.Dropped = board.HandleLost = false;
  return true;
}
