// Paths in UTF-8 as Windows gives them: a loaded module's file, the
// program's folder, a path made full.
#pragma once

#include <windows.h>

#include <string>

// The full path of a loaded module's file (null: the program's), whole
// however long it is; empty when memory runs out.
std::string ModuleFilePath(HMODULE module);

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();

// path made absolute from the current folder; path itself when Windows
// cannot.
std::string FullPath(const std::string& path);
