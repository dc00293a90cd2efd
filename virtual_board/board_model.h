// The vendor's library and its four boards as calls leave them, as the
// library really behaves: which boards it holds open, which one is
// selected, the outputs it keeps for each board and its working copy, and
// what each board's own outputs are (the last report that reached it).
// Portable: the virtual board answers its callers from it, and the test
// host's timeline replays a call record on it, so both read calls the same
// way.
//
// What the library does:
// - OpenDevice(n) and SearchDevices open every board plugged in, not only
//   n, and never close one held already. OpenDevice answers n when board n
//   is there or still held (pulled out while open, no transfer to it failed
//   yet), selecting it without loading its outputs, else -1; SearchDevices
//   answers the mask of the boards found.
// - SetCurrentDevice(n) answers n for an open board and loads its kept
//   outputs into the working copy; else -1, the selection left as it was.
// - CloseDevice closes every board; the boards keep their outputs.
// - An output call changes the working copy and keeps it as the selected
//   board's, also while that board is closed, and sends it, the whole
//   output state in one report, when the board is open. Digital channels
//   are clamped to 1 ... 8, analog ones to 1 ... 2, analog values taken
//   modulo 256, WriteAllDigital's low byte.
// - A read call reads one report from the selected open board.
// - A board pulled out while open stays open (held) until a transfer to it:
//   that transfer fails, as one to a board whose handle died does (unplugged
//   while open, even if plugged in again since), and the library closes the
//   board. It stays closed (SetCurrentDevice and OpenDevice answer -1 while
//   it is out) until an OpenDevice or SearchDevices finds it again.
// Nothing resets the outputs while the library is loaded.
#pragma once

#include <cstdint>

#include "k8055d/vendor_entries.h"
#include "module/module_abi.h"

// The outputs one report carries.
struct TBoardOutputs {
  uint8_t Digital = 0;  // bit n-1: digital output n
  uint8_t Analog[AnalogChannels] = {};
  friend bool operator==(const TBoardOutputs&, const TBoardOutputs&) = default;
};

struct TVirtualBoard {
  bool Open = false;        // the library holds it: it is selected and written
  bool Dropped = false;     // closed by the library at a failed transfer, until it is opened again
  bool HandleLost = false;  // unplugged while open: its next transfer fails
  TBoardOutputs Kept;       // the library's copy of its outputs
  TBoardOutputs Own;        // the board's own outputs: the last report it got; off once unplugged
};

// What one call did.
struct TBoardCall {
  int32_t Result = 0;    // the entry point's answer; 0 for one without
  int32_t Reached = -1;  // the board a report went to or came from; -1: none
  int32_t Dropped = -1;  // the board the library closed at this call's failed transfer; -1: none
  uint8_t Opened = 0;    // bit a: board a was opened by this call
  bool ClosedAll = false;
};

inline constexpr int32_t LibraryVersion = 0x04000000;  // Version's answer

// Whether entry is one of the eleven output calls, which change outputs.
bool IsOutputCall(TVendorEntry entry);

struct TBoardModel {
  TVirtualBoard Boards[CardAddressCount]{};  // by card address
  int32_t Selected = 0;                      // the board output calls are for
  TBoardOutputs Working;
  uint8_t Plugged = 0;  // bit a: a board with card address a is plugged in

  bool AnyOpen() const;
  // Boards plugged in from now on (bit a for card address a); a board taken
  // out loses its outputs, and its handle if it was open.
  void SetPlugged(uint8_t plugged);
  // One call of entry with its number arguments (0 for the others; the
  // values a read call fills are the caller's: nothing is connected).
  TBoardCall Call(TVendorEntry entry, int32_t a = 0, int32_t b = 0);
  // For a library followed from its answers (the vendor's, behind the
  // virtual board; a call record replayed): the library holds board
  // address open, or not. A board it no longer holds was dropped. Returns
  // whether the board was opened by this.
  bool Hold(int32_t address, bool open);
};
