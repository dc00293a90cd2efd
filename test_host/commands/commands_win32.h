// What the test host's commands share on Windows.
#pragma once

#include <string>

#include "test_host/commands/command_line.h"
#include "test_host/commands/command_runs.h"

// The lines of --version after the test host's own, each after
// linePrefix: the module's and k8055d.dll's version and path, the
// k8055d.dll loaded if there is one.
std::string DescribeInstalledVersions(const TCommand& command, const std::string& linePrefix);
