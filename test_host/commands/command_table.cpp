#include "test_host/commands/command_table.h"

// The commands, in the order the help lists them: X(name) for the row
// <name>Command of the file <name>_command.cpp.
#define TEST_HOST_COMMANDS(X) X(Info) X(Cards) X(Set) X(Play) X(Identify) X(Off) X(Panel) X(Try) X(Timeline)

#define DECLARE_COMMAND(name) extern const TCommandRow name##Command;
TEST_HOST_COMMANDS(DECLARE_COMMAND)
#undef DECLARE_COMMAND

namespace {

#define LIST_COMMAND(name) &name##Command,
const TCommandRow* const Rows[] = {TEST_HOST_COMMANDS(LIST_COMMAND)};
#undef LIST_COMMAND

}  // namespace

std::span<const TCommandRow* const> CommandRows() { return Rows; }
