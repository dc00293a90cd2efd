// Stand-ins for the test host's command functions in the native tests:
// each notes the name of the command it runs.
#pragma once

#include <string>

// The name of the command whose function ran last ("" before any).
const std::string& LastCommandRun();
