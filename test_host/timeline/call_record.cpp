#include "test_host/timeline/call_record.h"

#include <algorithm>

#include "k8055d/k8055d.h"
#include "test_host/text/number_text.h"
#include "test_host/text/text_lines.h"
#include "virtual_board/board_model.h"
#include "virtual_board/library_answer.h"

namespace {

constexpr std::string_view SessionMark = "# session ";

// The process's id that ends a line, " @PID", taken off it; empty when the
// line has none (a record from before the tags).
std::string_view ProcessTag(std::string_view& line) {
  const size_t at = line.rfind(" @");
  if (at == std::string_view::npos || at + 2 == line.size()) return {};
  const std::string_view tag = line.substr(at + 2);
  if (tag.find_first_not_of("0123456789") != std::string_view::npos) return {};
  line = Trimmed(line.substr(0, at));
  return tag;
}

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

// An exception code as the record writes it: "0x" and eight hexadecimal digits.
bool ParseExceptionCode(std::string_view text, uint32_t& code) {
  if (text.size() != 10 || text.substr(0, 2) != "0x") return false;
  code = 0;
  for (const char c : text.substr(2)) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    code = code << 4 | static_cast<uint32_t>(digit);
  }
  return true;
}

// What a call's line gives after its arguments, from field on: "= RESULT"
// or "raised 0xCODE", "(N us)", and "failed: board N dropped", each
// optional.
bool ParseAnswer(std::string_view field, std::string_view& line, std::string_view name, TLibraryAnswer& answer,
                 std::string& problem) {
  if (field == "raised") {
    const std::string_view code = NextField(line);
    if (!ParseExceptionCode(code, answer.ExceptionCode)) {
      problem = "the exception code " + QuotedField(code) + " of " + std::string(name) +
                " is not 0x and eight hexadecimal digits";
      return false;
    }
    answer.Raised = true;
    field = NextField(line);
  } else if (field == "=") {
    const std::string_view result = NextField(line);
    if (!ParseArgument(result, answer.Result)) {
      problem = "the result " + QuotedField(result) + " of " + std::string(name) + " is not a whole number";
      return false;
    }
    answer.HasResult = true;
    field = NextField(line);
  }
  if (!field.empty() && field[0] == '(') {
    const std::string_view unit = NextField(line);
    int32_t spent = 0;
    if (!ParseArgument(field.substr(1), spent) || spent < 0 || unit != "us)") {
      std::string text(field);
      text.append(1, ' ').append(unit);
      problem = "the time in the library " + QuotedField(text) + " is not a number of microseconds such as (950 us)";
      return false;
    }
    answer.SpentUs = spent;
    field = NextField(line);
  }
  if (field == TransferFailedMark) {
    const std::string_view board = NextField(line), number = NextField(line), dropped = NextField(line);
    if (board != "board" || !ParseArgument(number, answer.TransferFailed) || !IsCardAddress(answer.TransferFailed) ||
        dropped != "dropped") {
      problem = "the failed transfer of " + std::string(name) + " does not name its board as in \"" +
                TransferFailedMark + " board 0 dropped\"";
      return false;
    }
    field = NextField(line);
  }
  if (field.empty()) return true;
  problem = QuotedField(field) + " after the arguments of " + std::string(name) +
            " is not \"= RESULT\", \"raised 0xCODE\", \"(N us)\" or \"" + TransferFailedMark + " board N dropped\"";
  return false;
}

int32_t LaneLevel(const TVirtualBoard& board, int lane) {
  if (!board.Open) return ClosedLevel;
  return lane < DigitalLanes ? (board.Own.Digital >> lane & 1) : board.Own.Analog[lane - DigitalLanes];
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

// One call on the model, which follows what the record's answers say where
// it has them: a board found or not by OpenDevice or SearchDevices, a
// board that SetCurrentDevice no longer found open (dropped). Without
// answers (an older record) every OpenDevice is taken as answered. A call
// whose transfer failed reached no board: the board it names lost its
// connection before it, and the model drops it there. A call that raised
// changed nothing, but a CloseDevice, after which the caller takes its
// boards as closed.
TBoardCall ReplayOnModel(TVendorEntry entry, const int32_t (&arguments)[2], const TLibraryAnswer& answer,
                         TBoardModel& model) {
  if (answer.Raised) return entry == veCloseDevice ? model.Call(veCloseDevice) : TBoardCall{};
  const int32_t a = arguments[0];
  const bool refused = answer.HasResult && answer.Result == -1;
  if (entry == veOpenDevice && IsCardAddress(a))
    model.SetPlugged(static_cast<uint8_t>(refused ? model.Plugged & ~(1u << a) : model.Plugged | 1u << a));
  if (entry == veSearchDevices && answer.HasResult) model.SetPlugged(static_cast<uint8_t>(answer.Result));
  if (entry == veSetCurrentDevice && answer.HasResult) model.Hold(a, !refused);
  if (IsCardAddress(answer.TransferFailed))
    model.SetPlugged(static_cast<uint8_t>(model.Plugged & ~(1u << answer.TransferFailed)));
  return model.Call(entry, a, arguments[1]);
}

// Replays one call; false with problem set when it is not one.
bool ReplayCall(std::string_view line, int lineNumber, TBoardModel& model, TRecordSession& session,
                std::string& problem) {
  const std::string_view timeText = NextField(line);
  int64_t timeUs = 0;
  if (!ParseTime(timeText, timeUs)) {
    problem = "the time " + QuotedField(timeText) + " is not a number of milliseconds such as 12.345";
    return false;
  }
  const std::string_view name = NextField(line);
  int entry = 0;
  while (entry < LibraryEntryCount && name != VendorEntryNames[entry]) ++entry;
  if (entry == LibraryEntryCount) {
    problem = QuotedField(name) + " is not an entry point of " VENDOR_LIBRARY_FILE;
    return false;
  }
  int32_t arguments[2] = {0, 0};
  int count = 0;
  std::string_view field = NextField(line);
  for (; !field.empty() && field != "=" && field != "raised" && field != TransferFailedMark && field[0] != '(';
       field = NextField(line), ++count)
    if (count < 2 && !ParseArgument(field, arguments[count])) {
      problem = "the argument " + QuotedField(field) + " of " + std::string(name) + " is not a whole number";
      return false;
    }
  TLibraryAnswer answer;
  if (!ParseAnswer(field, line, name, answer, problem)) return false;
  if (count != VendorEntryNumbers[entry]) {
    problem = std::string(name) + " takes " + CountOf(VendorEntryNumbers[entry], "argument") + ", not " +
              std::to_string(count);
    return false;
  }
  if (session.Calls > 0 && timeUs < session.LastUs) {
    problem = "the time " + std::string(timeText) + " is earlier than the call before";
    return false;
  }

  const int32_t selected = model.Boards[model.Selected].Open ? model.Selected : -1;
  const TBoardCall replayed = ReplayOnModel(static_cast<TVendorEntry>(entry), arguments, answer, model);
  if (entry == veOpenDevice && IsCardAddress(arguments[0]) && !answer.Raised &&
      !(answer.HasResult && answer.Result == -1))
    session.Boards[arguments[0]].Opened = true;
  if (replayed.Reached >= 0 && IsOutputCall(static_cast<TVendorEntry>(entry)))
    session.Boards[replayed.Reached].GotOutput = true;
  if (replayed.Dropped >= 0) session.Boards[replayed.Dropped].TransferFailed.push_back(timeUs);
  for (int32_t address = 0; address < CardAddressCount; ++address)
    FollowBoard(model.Boards[address], timeUs, session.Boards[address]);
  if (answer.SpentUs >= 0) {
    const TLibraryCall call{timeUs, answer.SpentUs};
    // The board it was for: the one it names (whether it answered or not),
    // else the one it reached or was sent to.
    const bool names = entry == veOpenDevice || entry == veSetCurrentDevice;
    const int32_t board = names ? arguments[0] : replayed.Reached >= 0 ? replayed.Reached : selected;
    if (IsCardAddress(board)) session.Boards[board].LibraryCalls.push_back(call);
    session.LibraryCallTimes.push_back(timeUs);
    if (answer.SpentUs > session.Slowest.Time.SpentUs) {
      std::string text(name);
      for (int i = 0; i < count && i < 2; ++i) text += " " + std::to_string(arguments[i]);
      session.Slowest = {text, lineNumber, call};
    }
  }
  if (session.Calls++ == 0) session.FirstUs = timeUs;
  session.LastUs = timeUs;
  return true;
}

}  // namespace

bool ParseCallRecord(std::string_view text, std::vector<TRecordSession>& sessions, std::string& error) {
  sessions.clear();
  // The latest session of each process (the untagged lines of an older
  // record are one process, ""), with the boards as its calls left them.
  struct TProcessSession {
    std::string Process;
    size_t Index;
    TBoardModel Model;
  };
  std::vector<TProcessSession> latest;
  const auto sessionOf = [&](std::string_view process, bool starts) -> TProcessSession& {
    auto found =
        std::find_if(latest.begin(), latest.end(), [&](const TProcessSession& own) { return own.Process == process; });
    if (found == latest.end()) found = latest.insert(latest.end(), {std::string(process), 0, TBoardModel{}});
    else if (!starts || sessions[found->Index].Calls == 0) return *found;
    found->Index = sessions.size();
    found->Model = TBoardModel{};
    sessions.emplace_back().Process = std::string(process);
    return *found;
  };
  TTextLines lines(text);
  for (std::string_view line; lines.Next(line);) {
    line = Trimmed(line);
    const std::string_view process = ProcessTag(line);
    if (line.substr(0, SessionMark.size()) == SessionMark) {
      TProcessSession& started = sessionOf(process, true);
      sessions[started.Index].Started = std::string(Trimmed(line.substr(SessionMark.size())));
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    TProcessSession& own = sessionOf(process, false);
    TRecordSession& session = sessions[own.Index];
    std::string problem;
    if (!ReplayCall(line, lines.Number(), own.Model, session, problem)) {
      error = "line " + std::to_string(lines.Number()) + ": " + problem;
      return false;
    }
    if (session.FirstLine == 0) session.FirstLine = lines.Number();
    session.LastLine = lines.Number();
  }
  std::erase_if(sessions, [](const TRecordSession& session) { return session.Calls == 0; });
  if (sessions.empty()) error = "no calls in the record";
  return !sessions.empty();
}

size_t BusiestSecond(const TRecordSession& session, int64_t& startUs) {
  const std::vector<int64_t>& times = session.LibraryCallTimes;
  size_t most = 0;
  startUs = 0;
  for (size_t first = 0, last = 0; last < times.size(); ++last) {
    while (times[last] - times[first] >= 1000000) ++first;
    if (last - first + 1 > most) {
      most = last - first + 1;
      startUs = times[first];
    }
  }
  return most;
}
