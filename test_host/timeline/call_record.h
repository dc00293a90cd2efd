// The virtual board's call record read back, for the timeline: one line per
// call, "TIME NAME ARGUMENTS" (the time in ms since the board library was
// loaded, e.g. "12.345 OutputAnalogChannel 1 128"), and a
// "# session DATE TIME" line where a load of the library began. A line of a
// forwarded session may go on with "= RESULT", the library's result, and
// "(N us)", the microseconds the call spent in it
// ("12.345 ReadCounter 1 = 42 (950 us)"); records without them read as
// before. A call whose transfer to a board failed, which the library then
// dropped, ends in "failed: board N dropped" and reached no board. Other lines starting with "#" and blank lines are skipped. The
// calls are replayed on the virtual board's own model of its boards, each
// OpenDevice taken as answered unless its result is -1, so each board's
// outputs are known at every moment. Each line, "# session" lines too, may
// end in " @PID", the recording process's id: the lines of two processes
// that recorded into one file at once are told apart by it, each process's
// lines going to its latest session.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "module/module_abi.h"

// A level from a time on: 0 or 1 for a digital output, 0 ... 255 for an
// analog one (0 ... AnalogMax), ClosedLevel while the board is closed.
struct TLevelChange {
  int64_t TimeUs;
  int32_t Level;
  friend bool operator==(const TLevelChange&, const TLevelChange&) = default;
};
inline constexpr int32_t ClosedLevel = -1;

inline constexpr int DigitalLanes = DigitalChannels;
inline constexpr int LaneCount = ChannelCount;  // the digital outputs, then the analog ones

// A call that went on to the vendor's library.
struct TLibraryCall {
  int64_t TimeUs;
  int64_t SpentUs;  // in the library
};

struct TBoardLanes {
  bool Opened = false;     // an OpenDevice named it
  bool GotOutput = false;  // an output call reached it
  std::array<std::vector<TLevelChange>, LaneCount> Lanes;  // from its first opening on
  size_t Changes = 0;      // level changes while open, in all lanes
  std::vector<int64_t> TransferFailed;     // times of the calls whose transfer to it failed, each dropping it
  std::vector<TLibraryCall> LibraryCalls;  // the calls for it that reached the library
};

// The slowest call that reached the library: its line's call ("ReadCounter
// 1") and where it is.
struct TSlowestCall {
  std::string Call;
  int Line = 0;
  TLibraryCall Time{0, -1};
};

struct TRecordSession {
  std::string Started;  // from its "# session" line; empty without one
  std::string Process;  // the process's id that tags its lines; empty in an older record
  int FirstLine = 0;    // of its first and last call
  int LastLine = 0;
  int64_t FirstUs = 0;
  int64_t LastUs = 0;
  size_t Calls = 0;
  std::array<TBoardLanes, CardAddressCount> Boards;  // by card address
  std::vector<int64_t> LibraryCallTimes;  // of every call that reached the library, in order
  TSlowestCall Slowest;
};

// The most calls that reached the library within one second of the
// session, and the time that second began; 0 without such calls.
size_t BusiestSecond(const TRecordSession& session, int64_t& startUs);

// The sessions that hold calls. On a line it cannot read sets error to
// "line N: ..." and returns false; a record without calls is an error too.
bool ParseCallRecord(std::string_view text, std::vector<TRecordSession>& sessions, std::string& error);
