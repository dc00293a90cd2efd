// What info and --version say about the library the virtual board forwards
// to: the same check the board makes (virtual_board/forward_library_win32.h),
// so that a library it would refuse is named with the reason before the
// host application starts, and the version of one it would use.
#pragma once

#include <string>

#include "virtual_board/board_settings.h"

// For settings that name a forward library: a line "forwarded library
// 5.0.0.0, PATH" when the board would use it, otherwise the reason added to
// settings.Problems and an empty text. Empty without forward.
std::string CheckForwardLibrary(TBoardSettings& settings);
