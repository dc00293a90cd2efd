#include "test_host/timeline/call_record.h"

#include <algorithm>
#include <type_traits>

#include "k8055d/k8055d.h"
#include "test_host/text/number_text.h"
#include "test_host/text/text_lines.h"
#include "virtual_board/board_model.h"

namespace {

// How many arguments the record shows for an entry: its numbers, not the
// pointers it fills (ReadAllAnalog).
template <typename TSignature>
struct TRecordedArguments;
template <typename TResult, typename... TParams>
struct TRecordedArguments<TResult(TParams...)> {
  static constexpr int Count = (0 + ... + (std::is_pointer_v<TParams> ? 0 : 1));
};

constexpr int RecordedArguments[VendorEntryCount] = {
#define RECORDED_ARGUMENTS(name, result, params, bytes, use) TRecordedArguments<result params>::Count,
    VENDOR_ENTRY_LIST(RECORDED_ARGUMENTS)
#undef RECORDED_ARGUMENTS
};

constexpr std::string_view SessionMark = "# session ";

// The next field of a line, blanks around it skipped.
std::string_view NextField(std::string_view& line) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) return line = {};
  line.remove_prefix(start);
  const size_t end = std::min(line.find_first_of(" \t"), line.size());
  const std::string_view field = line.substr(0, end);
  line.remove_prefix(end);
  return field;
}

// Milliseconds with up to six decimals ("12.345") in microseconds.
bool ParseTime(std::string_view text, int64_t& us) {
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
  const bool pointAlone = point != std::string_view::npos && fraction.empty();
  if (whole.empty() || whole.size() > 12 || fraction.size() > 6 || pointAlone) return false;
  int64_t value = 0;
  for (const char c : whole) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  int64_t micros = 0, scale = 1000;
  for (const char c : fraction) {
    if (c < '0' || c > '9') return false;
    scale /= 10;
    micros += (c - '0') * scale;  // digits past the third add nothing below a microsecond
  }
  us = value * 1000 + micros;
  return true;
}

bool ParseArgument(std::string_view text, int32_t& value) {
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 10) return false;
  int64_t number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  if (negative) number = -number;
  if (number < INT32_MIN || number > INT32_MAX) return false;
  value = static_cast<int32_t>(number);
  return true;
}

int32_t LaneLevel(const TVirtualBoard& board, int lane) {
  if (!board.Open) return ClosedLevel;
  return lane < DigitalLanes ? (board.Digital >> lane & 1) : board.Analog[lane - DigitalLanes];
}

// Notes where the board's outputs now differ from its lanes.
void FollowBoard(const TVirtualBoard& board, int64_t timeUs, TBoardLanes& lanes) {
  for (int lane = 0; lane < LaneCount; ++lane) {
    std::vector<TLevelChange>& changes = lanes.Lanes[lane];
    const int32_t level = LaneLevel(board, lane);
    if (changes.empty() ? level == ClosedLevel : changes.back().Level == level) continue;
    if (!changes.empty() && changes.back().Level != ClosedLevel && level != ClosedLevel) ++lanes.Changes;
    changes.push_back({timeUs, level});
  }
}

// Replays one call; false with problem set when it is not one.
bool ReplayCall(std::string_view line, TBoardModel& model, TRecordSession& session, std::string& problem) {
  const std::string_view timeText = NextField(line);
  int64_t timeUs = 0;
  if (!ParseTime(timeText, timeUs)) {
    problem = "the time " + QuotedField(timeText) + " is not a number of milliseconds such as 12.345";
    return false;
  }
  const std::string_view name = NextField(line);
  int entry = 0;
  while (entry < VendorEntryCount && name != VendorEntryNames[entry]) ++entry;
  if (entry == VendorEntryCount) {
    problem = QuotedField(name) + " is not an entry point of " VENDOR_LIBRARY_FILE;
    return false;
  }
  int32_t arguments[2] = {0, 0};
  int count = 0;
  for (std::string_view field; !(field = NextField(line)).empty(); ++count)
    if (count < 2 && !ParseArgument(field, arguments[count])) {
      problem = "the argument " + QuotedField(field) + " of " + std::string(name) + " is not a whole number";
      return false;
    }
  if (count != RecordedArguments[entry]) {
    problem = std::string(name) + " takes " + CountOf(RecordedArguments[entry], "argument") + ", not " +
              std::to_string(count);
    return false;
  }
  if (session.Calls > 0 && timeUs < session.LastUs) {
    problem = "the time " + std::string(timeText) + " is earlier than the call before";
    return false;
  }

  int32_t address = -1;
  switch (entry) {
    case veOpenDevice:
      if (arguments[0] >= 0 && arguments[0] <= 3) {
        model.Open(arguments[0]);
        address = arguments[0];
        session.Boards[address].Opened = true;
      }
      break;
    case veCloseDevice: address = model.Close(); break;
    case veSetCurrentDevice: model.Select(arguments[0]); break;
    default:
      address = model.Output(static_cast<TVendorEntry>(entry), arguments[0], arguments[1]);
      if (address >= 0) session.Boards[address].GotOutput = true;
  }
  if (address >= 0) FollowBoard(model.Boards[address], timeUs, session.Boards[address]);
  if (session.Calls++ == 0) session.FirstUs = timeUs;
  session.LastUs = timeUs;
  return true;
}

}  // namespace

bool ParseCallRecord(std::string_view text, std::vector<TRecordSession>& sessions, std::string& error) {
  sessions.assign(1, TRecordSession{});
  TBoardModel model;
  TTextLines lines(text);
  for (std::string_view line; lines.Next(line);) {
    line = Trimmed(line);
    if (line.substr(0, SessionMark.size()) == SessionMark) {
      if (sessions.back().Calls > 0) sessions.emplace_back();
      sessions.back().Started = std::string(Trimmed(line.substr(SessionMark.size())));
      model = TBoardModel{};
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::string problem;
    if (!ReplayCall(line, model, sessions.back(), problem)) {
      error = "line " + std::to_string(lines.Number()) + ": " + problem;
      return false;
    }
    if (sessions.back().FirstLine == 0) sessions.back().FirstLine = lines.Number();
    sessions.back().LastLine = lines.Number();
  }
  if (sessions.back().Calls == 0) sessions.pop_back();
  if (sessions.empty()) error = "no calls in the record";
  return !sessions.empty();
}
