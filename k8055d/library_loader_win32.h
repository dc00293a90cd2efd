// The Windows side of loading a library found by the search, for the test
// host too, which loads a library the module could not use again to tell
// the user why.
#pragma once

#include <windows.h>

#include "k8055d/library_search.h"

// Loads the library at path (a full path with backslashes) as the module
// loads k8055d.dll: under TLoaderCallGuard (no error box, the thread's
// floating-point state kept), its own dependencies looked for in its folder
// first. Null when it would not load; GetLastError then tells why.
HMODULE LoadLibraryFile(const wchar_t* path);

// The search's rule for a folder (library_search.h), the module's and the
// test host's: the first folder that holds a file (not a folder) named
// fileName ends the search, whether or not that file then loads. True when
// the search ends at folder, with path the file's full path as the module
// joins it (from the module's heap, freed with ReleaseMemory), or null when
// memory ran out, which ends the search with nothing found; false when
// folder holds no such file.
bool SearchEndsInFolder(TPathText folder, const char* fileName, TPathChar*& path);
