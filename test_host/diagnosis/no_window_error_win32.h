// The error of a command whose window Windows did not make
// (no_window_text.h), right after the failed CreateWindowEx.
#pragma once

#include <string>

std::string NoWindowError();
