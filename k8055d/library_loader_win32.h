// The Windows side of loading a library found by the search, for the test
// host too, which loads a library the module could not use again to tell
// the user why.
#pragma once

#include <windows.h>

// Loads the library at path (a full path with backslashes) as the module
// loads k8055d.dll: under TLoaderCallGuard (no error box, the thread's
// floating-point state kept), its own dependencies looked for in its folder
// first. Null when it would not load; GetLastError then tells why.
HMODULE LoadLibraryFile(const wchar_t* path);
