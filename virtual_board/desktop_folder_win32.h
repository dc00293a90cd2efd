// The user's Desktop folder as the shell knows it, for the %DESKTOP% in the
// virtual board's paths: OneDrive and folder redirection move it away from
// %USERPROFILE%\Desktop. The shell's functions are looked up at the call
// (SHGetKnownFolderPath on Windows Vista and later, SHGetFolderPathW on
// Windows XP), so that the board imports no more than it did and loads
// shell32.dll only for a path that names the Desktop.
#pragma once

#include <cstddef>

// The folder's path in path (size characters with the NUL); false when the
// shell cannot tell it or it does not fit.
bool DesktopFolder(wchar_t* path, size_t size);
