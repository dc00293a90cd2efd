// The module's heap. Every allocation of the module goes through
// AllocateMemory and ReleaseMemory, which use the heap set with SetHeap:
// by default the C runtime's malloc and free.
#pragma once

#include <cstddef>

struct THeap {
  void* (*Allocate)(size_t size);  // null on failure
  void (*Release)(void* memory);   // accepts null
};

void* AllocateMemory(size_t size);  // null on failure
void ReleaseMemory(void* memory);   // accepts null

// Makes heap the one AllocateMemory and ReleaseMemory use; null puts the
// default back. Returns the heap used until now, to be put back in turn.
// Blocks must go back to the heap they came from.
const THeap* SetHeap(const THeap* heap);
