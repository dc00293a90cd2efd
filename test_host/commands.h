// The test host's commands; each returns the exit status.
#pragma once

#include "test_host/command_line.h"

int RunInfo(const TCommand& command);
int RunCards(const TCommand& command);
int RunSet(const TCommand& command);
int RunPlay(const TCommand& command);
int RunPanel(const TCommand& command);
int RunTry(const TCommand& command);
