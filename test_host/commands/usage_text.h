// What --help prints: a fixed frame around the commands' usage lines and
// the options' help lines from the command table.
#pragma once

#include <string>

std::string UsageText();
