// Where a library that a program loads by file name is looked for: the
// Windows loader's standard places for a desktop program, less the current
// directory. A host's open dialog moves the current directory to wherever
// the user opened a file (a USB stick, a download folder), and a library of
// the wanted name lying there would be loaded in its place.
//
// The folders, in this order:
//   1. the program's folder (the folder of the process's .exe);
//   2. the module's own folder (the folder of the DLL that searches), as
//      trusted as the module itself: where a user puts a library beside
//      the module in a host's plug-in folder;
//   3. the folder the program set with SetDllDirectory, if any;
//   4. the system folder for 32-bit libraries (SysWOW64 on 64-bit Windows,
//      System32 on 32-bit Windows);
//   5. the 16-bit system folder (the Windows folder's System);
//   6. the Windows folder;
//   7. the folders on PATH, in their order.
// The loader's own order, less the current directory, with the module's
// folder added.
// Only absolute folders count: a drive and a backslash ("C:\Tools") or a
// network share ("\\server\share"). Anything else (".", "bin", "C:bin",
// "\Tools", "%SystemRoot%") names a place relative to the current directory
// or drive and is skipped. A folder met again later (compared without
// regard to ASCII case, '/' or a trailing backslash) is searched once, at
// its first place. The current directory is searched only when it is one
// of these folders.
//
// Portable: the texts are passed in, so the order is the same wherever it is
// computed; the module uses it to find k8055d.dll, and a tool may use it to
// tell a user where that library is looked for.
#pragma once

#include "common/path_text.h"

// What the search is made from, each as the system gives it; an empty text
// (Length 0) for what there is not.
struct TLibrarySearchPlaces {
  TPathText ProgramFile;     // the full path of the program's .exe
  TPathText ModuleFile;      // the full path of the module's DLL
  TPathText DllDirectory;    // as set with SetDllDirectory, empty when none
  TPathText SystemFolder;    // the 32-bit system folder
  TPathText System16Folder;  // the 16-bit system folder
  TPathText WindowsFolder;
  TPathText Path;            // the PATH variable: folders separated by ';'
};

// Called once per folder, in search order; returns true to stop there.
using TFolderVisit = bool (*)(TPathText folder, void* context);

// Visits the folders to search, in order, without repeats. Returns true if
// a visit stopped the search.
bool ForEachSearchFolder(const TLibrarySearchPlaces& places, TFolderVisit visit, void* context);
