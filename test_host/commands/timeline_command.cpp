// timeline: the virtual board's call record as a web page of each board's
// outputs over time (timeline_page.h). Needs neither the module nor a board.
#include "test_host/commands/command_row.h"

#if defined(_WIN32)
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/text/text_file_win32.h"
#include "test_host/timeline/call_record.h"
#include "test_host/timeline/timeline_page.h"
#endif

namespace {

std::string RecordFile;
std::string OutFile;  // empty: the record's name with .html

const TOption Options[] = {{"--out", TOptionKind::Text, nullptr, 0, nullptr, nullptr, &OutFile,
                            "  --out FILE        timeline: the page to write\n"}};

#if defined(_WIN32)
int RunTimeline(const TCommand&) {
  std::string text, error;
  std::vector<TRecordSession> sessions;
  if (!ReadTextFile(RecordFile, text, error)) return Fail(ExitBadInput, "timeline: " + error);
  if (!ParseCallRecord(text, sessions, error)) return Fail(ExitBadInput, "timeline: " + RecordFile + " " + error);
  const std::string page = OutFile.empty() ? DefaultTimelinePath(RecordFile) : OutFile;
  if (!WriteTextFile(page, TimelinePage(sessions, RecordFile), error)) return Fail(ExitBadInput, "timeline: " + error);
  WriteOut("wrote " + page + ": " + DescribeTimeline(sessions) + "; open it in a web browser\n");
  return ExitDone;
}
#endif

}  // namespace

extern const TCommandRow TimelineCommand{
    "timeline", "RECORD", &RecordFile, Options, nullptr, COMMAND_RUN(RunTimeline),
    "  timeline RECORD [--out FILE]\n"
    "                          draws the virtual board's call record as a web page:\n"
    "                          each board's outputs over time (default FILE: the\n"
    "                          RECORD's name ending in .html)\n"};
