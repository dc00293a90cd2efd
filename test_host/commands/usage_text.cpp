#include "test_host/commands/usage_text.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "test_host/commands/command_line.h"
#include "test_host/commands/command_table.h"

namespace {

const char UsageHead[] =
    "Usage: tarnwell_host [--module FILE] [--vendor-dir DIR] COMMAND [OPTIONS]\n"
    "       tarnwell_host --help | --version\n"
    "\n"
    "Loads out_tarnwell.dll as a host application does and tries it with the\n"
    "K8055 boards that answer, before you start your host application.\n"
    "\n"
    "Commands:\n";

// --version is no option of the table (it works whatever else is given), so
// its lines open the fixed text after the options. The paragraphs after it
// are about the program as a whole and the play file's rows, not one row.
const char UsageTail[] =
    "  --version         the versions of this program, of the module and of the\n"
    "                    k8055d.dll it would use (saying when it is the virtual\n"
    "                    board)\n"
    "\n"
    "Double-clicked in Explorer, it opens the try window with card 1.\n"
    "\n"
    "FILE for play: one row per line, time_ms,channel,value[,card], times from\n"
    "the start and not decreasing (or the same with ; between the fields\n"
    "throughout); a header line and lines starting with # are skipped. Rows\n"
    "without a card go to --card. Rows for a card that does not answer are\n"
    "skipped.\n"
    "\n"
    "Exit status: 0 done; 1 the module or k8055d.dll cannot be used; 2 bad\n"
    "command line or input file; 3 a card does not answer: nothing, or not\n"
    "every row, reached a board; 4 no window can be made (no display); 130\n"
    "stopped by Ctrl+C or by closing the console.\n";

}  // namespace

std::string UsageText() {
  std::string text = UsageHead;
  for (const TCommandRow* row : CommandRows()) text += row->Usage;
  text += "\nOptions:\n";
  // The global options, then each command option where a command first
  // names it (commands that share one, as --card, have one each).
  std::vector<std::string_view> listed;
  const auto list = [&](const TOption& option) {
    if (std::find(listed.begin(), listed.end(), option.Name) != listed.end()) return;
    listed.push_back(option.Name);
    text += option.Help;
  };
  for (const TOption& option : GlobalOptions()) list(option);
  for (const TCommandRow* row : CommandRows())
    for (const TOption& option : row->Options) list(option);
  return text + UsageTail;
}
