// timeline: the virtual board's call record as a web page of each board's
// outputs over time (timeline_page.h). Needs neither the module nor a board.
#include "test_host/timeline/call_record.h"
#include "test_host/commands/commands_win32.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/text/text_file_win32.h"
#include "test_host/timeline/timeline_page.h"

int RunTimeline(const TCommand& command) {
  std::string text, error;
  std::vector<TRecordSession> sessions;
  if (!ReadTextFile(command.RecordFile, text, error)) return Fail(ExitBadInput, "timeline: " + error);
  if (!ParseCallRecord(text, sessions, error))
    return Fail(ExitBadInput, "timeline: " + command.RecordFile + " " + error);
  const std::string page = command.OutFile.empty() ? DefaultTimelinePath(command.RecordFile) : command.OutFile;
  if (!WriteTextFile(page, TimelinePage(sessions, command.RecordFile), error))
    return Fail(ExitBadInput, "timeline: " + error);
  WriteOut("wrote " + page + ": " + DescribeTimeline(sessions) + "; open it in a web browser\n");
  return ExitDone;
}
