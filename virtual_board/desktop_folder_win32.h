// The user's Desktop folder as the shell knows it, for the %DESKTOP% in the
// virtual board's paths: OneDrive and folder redirection move it away from
// %USERPROFILE%\Desktop. The shell's functions are looked up at the first
// need (SHGetKnownFolderPath on Windows Vista and later, SHGetFolderPathW on
// Windows XP), so that the board imports no more than it did and loads
// shell32.dll only for a path that names the Desktop.
//
// The folder is asked for once per process and kept: the settings are read
// at every OpenDevice, on the host's output thread, and the shell's
// libraries, once loaded, stay loaded, since freeing them there could take
// the threads and state the shell started in the host's process with them.
#pragma once

#include <cstddef>

// The folder's path in path (size characters with the NUL); false when the
// shell cannot tell it or it does not fit. Safe from any thread: the first
// caller asks the shell, the others wait for its answer.
bool DesktopFolder(wchar_t* path, size_t size);
