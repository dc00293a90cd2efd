// A file's full path from a folder and a file name, as Windows' loader
// wants it: every '/' of the folder made a backslash (LoadLibraryEx takes
// backslashes only; a PATH entry may be written "C:/Tools/"), one backslash
// between folder and name, a NUL at the end.
#pragma once

#include <cstddef>

#include "k8055d/library_search.h"

// The characters JoinPath writes, the NUL included.
size_t JoinedPathSize(TPathText folder, TPathText name);

// Writes the path into path, which holds JoinedPathSize(folder, name)
// characters.
void JoinPath(TPathText folder, TPathText name, TPathChar* path);
