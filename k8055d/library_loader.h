// Platform seam for binding to a library at run time: take a reference on
// one the process has loaded already, tell the places to search, load one
// found in a folder by its full path, look up an entry point by exported
// name, free; and run a search with the system's error boxes off. One implementation per platform is linked in as
// PlatformLibraryLoader.
#pragma once

#include "k8055d/library_search.h"

using TLibraryHandle = void*;
using TLibraryProc = void (*)();

struct TLibraryLoader {
  // A reference of the caller's own on the library of this file name that
  // the process has loaded already, or 0.
  TLibraryHandle (*TakeLoaded)(const char* fileName);
  // The texts the search is made from (library_search.h); false when they
  // cannot be had. Whatever GetSearchPlaces gives, ReleaseSearchPlaces frees.
  bool (*GetSearchPlaces)(TLibrarySearchPlaces& places);
  void (*ReleaseSearchPlaces)(TLibrarySearchPlaces& places);
  // If folder holds a file of this name: loads it by its full path (the
  // libraries it needs are looked for in its folder first), sets handle
  // (0 when it would not load) and returns true. False when there is no
  // such file.
  bool (*LoadFrom)(TPathText folder, const char* fileName, TLibraryHandle& handle);
  TLibraryProc (*Lookup)(TLibraryHandle, const char* name);  // null if absent
  void (*Free)(TLibraryHandle);
  // Runs search (every probe of a folder and the load) with no system error
  // box for a missing disk or file: a folder on an empty removable drive
  // must not stop the host's thread in a box. Gives search's result.
  TLibraryHandle (*SearchQuietly)(TLibraryHandle (*search)());
};

extern const TLibraryLoader PlatformLibraryLoader;
