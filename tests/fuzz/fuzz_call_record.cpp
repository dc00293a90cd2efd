// Any text as a call record: read, replayed and drawn without a fault; a
// record it takes gives a page whose markup is closed in order and whose
// lanes agree with the changes counted, and a record it refuses names a
// line or says it holds no calls.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "test_host/timeline/call_record.h"
#include "test_host/timeline/timeline_page.h"
#include "tests/shared/markup_check.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<TRecordSession> sessions;
  std::string error;
  if (!ParseCallRecord(text, sessions, error)) {
    Require(error.rfind("line ", 0) == 0 || error == "no calls in the record");
    return 0;
  }
  Require(!sessions.empty());
  for (const TRecordSession& session : sessions) {
    Require(session.Calls > 0 && session.FirstUs <= session.LastUs && session.FirstLine <= session.LastLine);
    for (const TBoardLanes& board : session.Boards) {
      size_t changes = 0;
      for (const auto& lane : board.Lanes)
        for (size_t i = 1; i < lane.size(); ++i) {
          Require(lane[i - 1].TimeUs <= lane[i].TimeUs && lane[i - 1].Level != lane[i].Level);
          changes += lane[i - 1].Level != ClosedLevel && lane[i].Level != ClosedLevel;
        }
      Require(changes == board.Changes);
      for (const TLibraryCall& call : board.LibraryCalls) Require(call.SpentUs >= 0);
    }
    int64_t start = 0;
    const size_t busiest = BusiestSecond(session, start);
    Require(busiest <= session.LibraryCallTimes.size() && (busiest > 0) == !session.LibraryCallTimes.empty());
    Require(session.LibraryCallTimes.empty() || session.Slowest.Time.SpentUs >= 0);
  }
  // The record's name is the user's text too: it must not break the page.
  const std::string page = TimelinePage(sessions, text.substr(0, 40));
  std::string problem;
  Require(WellNested(page, problem));
  return 0;
}
