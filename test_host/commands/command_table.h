// The test host's commands: the table lists their rows (each in the file
// of its command, command_row.h), in the order the help lists them; a new
// command is a new file and a line in the table.
#pragma once

#include <span>

#include "test_host/commands/command_row.h"

std::span<const TCommandRow* const> CommandRows();
