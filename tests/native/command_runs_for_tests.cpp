#include "tests/native/command_runs_for_tests.h"

#include "test_host/commands/command_runs.h"

namespace {

std::string Last;

int Ran(const char* name) {
  Last = name;
  return 0;
}

}  // namespace

const std::string& LastCommandRun() { return Last; }

int RunHelp(const TCommand&) { return Ran("help"); }
int RunVersion(const TCommand&) { return Ran("--version"); }
int RunInfo(const TCommand&) { return Ran("info"); }
int RunCards(const TCommand&) { return Ran("cards"); }
int RunSet(const TCommand&) { return Ran("set"); }
int RunPlay(const TCommand&) { return Ran("play"); }
int RunIdentify(const TCommand&) { return Ran("identify"); }
int RunOff(const TCommand&) { return Ran("off"); }
int RunPanel(const TCommand&) { return Ran("panel"); }
int RunTry(const TCommand&) { return Ran("try"); }
int RunTimeline(const TCommand&) { return Ran("timeline"); }
