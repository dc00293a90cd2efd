// Windows' text for an error code, as the test host shows it.
#pragma once

#include <string>

// "Windows error 193: k8055d.dll is not a valid Win32 application":
// Windows' text for code, its inserts filled with the name of path.
std::string WindowsError(unsigned long code, const std::string& path = "");
