// The test host's commands; each returns the exit status.
#pragma once

#include <string>

#include "test_host/commands/command_line.h"

int RunVersion(const TCommand& command);
int RunInfo(const TCommand& command);
int RunCards(const TCommand& command);
int RunSet(const TCommand& command);
int RunPlay(const TCommand& command);
int RunIdentify(const TCommand& command);
int RunOff(const TCommand& command);
int RunPanel(const TCommand& command);
int RunTry(const TCommand& command);
int RunTimeline(const TCommand& command);

// The lines of --version after the test host's own, each after
// linePrefix: the module's and k8055d.dll's version and path, the
// k8055d.dll loaded if there is one.
std::string DescribeInstalledVersions(const TCommand& command, const std::string& linePrefix);
