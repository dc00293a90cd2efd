// What a soak test watches in its own process: committed private memory,
// working set, the USER and GDI objects it holds, its windows.
#pragma once

#include <cstdint>

struct TProcessResources {
  int64_t PrivateBytes;  // committed private pages, summed over the address space
  int64_t WorkingSet;
  int64_t UserObjects;   // GetGuiResources: a stub giving 0 under wine, hence
  int64_t GdiObjects;    // the next two as well
  int64_t GdiHandles;    // live entries of the GDI handle table
  int64_t Windows;       // the process's windows and all their descendants

  static TProcessResources Now();
};

// How far each figure may stay above its starting level after a soak.
// GDI objects that wine creates for its own caches, at moments that depend
// on timing: a bound on growth that no per-cycle leak stays within.
inline constexpr int64_t GdiCacheSlack = 4;

struct TResourceBounds {
  int64_t PrivateBytes;
  int64_t WorkingSet;
  int64_t UserObjects;
  int64_t GdiObjects;
  int64_t GdiHandles;
  int64_t Windows;
};

// Prints the growth from before to after (into the test log and the
// test's XML properties) and fails for any figure above its bound.
void ExpectWithinBounds(const TProcessResources& before, const TProcessResources& after,
                        const TResourceBounds& bounds);
