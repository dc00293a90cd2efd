// Platform seam for binding to a library at run time: load by file name,
// look up an entry point by exported name, free. One implementation per
// platform is linked in as PlatformLibraryLoader.
#pragma once

using TLibraryHandle = void*;
using TLibraryProc = void (*)();

struct TLibraryLoader {
  TLibraryHandle (*Load)(const char* fileName);              // 0 on failure
  TLibraryProc (*Lookup)(TLibraryHandle, const char* name);  // null if absent
  void (*Free)(TLibraryHandle);
};

extern const TLibraryLoader PlatformLibraryLoader;
