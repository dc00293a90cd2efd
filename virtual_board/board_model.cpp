#include "virtual_board/board_model.h"

namespace {

bool ValidDigital(int32_t channel) { return channel >= 1 && channel <= DigitalChannels; }
bool ValidAnalog(int32_t channel) { return channel >= 1 && channel <= AnalogChannels; }

}  // namespace

bool TBoardModel::AnyOpen() const {
  for (const TVirtualBoard& board : Boards)
    if (board.Open) return true;
  return false;
}

bool TBoardModel::Open(int32_t address) {
  if (!IsCardAddress(address)) return false;
  Boards[address].Open = true;
  Current = address;
  return true;
}

int32_t TBoardModel::Close() {
  if (Current < 0 || !Boards[Current].Open) return -1;
  Boards[Current] = TVirtualBoard{};
  return Current;
}

bool TBoardModel::Select(int32_t address) {
  if (!IsCardAddress(address) || !Boards[address].Open) return false;
  Current = address;
  return true;
}

int32_t TBoardModel::Output(TVendorEntry entry, int32_t a, int32_t b) {
  if (Current < 0 || !Boards[Current].Open) return -1;
  TVirtualBoard& board = Boards[Current];
  const auto digitalBit = [a] { return static_cast<uint8_t>(1u << (a - 1)); };
  switch (entry) {
    case veOutputAnalogChannel:
      if (!ValidAnalog(a)) return -1;
      board.Analog[a - 1] = b & 0xFF;
      break;
    case veOutputAllAnalog:
      board.Analog[0] = a & 0xFF;
      board.Analog[1] = b & 0xFF;
      break;
    case veClearAnalogChannel:
    case veSetAnalogChannel:
      if (!ValidAnalog(a)) return -1;
      board.Analog[a - 1] = entry == veSetAnalogChannel ? AnalogMax : 0;
      break;
    case veClearAllAnalog:
    case veSetAllAnalog:
      board.Analog[0] = board.Analog[1] = entry == veSetAllAnalog ? AnalogMax : 0;
      break;
    case veWriteAllDigital:
      board.Digital = static_cast<uint8_t>(a);
      break;
    case veClearDigitalChannel:
      if (!ValidDigital(a)) return -1;
      board.Digital = static_cast<uint8_t>(board.Digital & ~digitalBit());
      break;
    case veSetDigitalChannel:
      if (!ValidDigital(a)) return -1;
      board.Digital = static_cast<uint8_t>(board.Digital | digitalBit());
      break;
    case veClearAllDigital:
    case veSetAllDigital:
      board.Digital = entry == veSetAllDigital ? 0xFF : 0;
      break;
    default:
      return -1;
  }
  return Current;
}
