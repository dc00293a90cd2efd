// What the test host says when Windows makes no window for the settings
// panel. Under wine that is mostly a missing X display, which xvfb-run
// gives; on Windows the hint would mislead, so Windows' own error is told.
#pragma once

#include <string>

// windowsError: "Windows error N: ...", or empty when Windows gave none.
std::string NoWindowText(bool underWine, const std::string& windowsError);
