// What info, --version and the reasons for a missing board say about the
// library the virtual board forwards to: the same check the board makes
// (virtual_board/forward_library_win32.h), so that a library it would
// refuse is named with the reason before the host application starts, and
// the version of one it would use.
#pragma once

#include <string>

// For forward, the library the settings name (UTF-8): the board's reason
// for refusing it, one line ("forward library PATH does not exist: no
// board answers"), or empty when the board would use it.
std::string ForwardRefusal(const char* forward);

// "forwarded library 5.0.0.0, PATH"
std::string DescribeForwardLibrary(const char* forward);
