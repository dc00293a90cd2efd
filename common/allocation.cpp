#include "common/allocation.h"

#include <cstdlib>

namespace {
void* HeapAllocate(size_t size) { return std::malloc(size); }
void HeapRelease(void* memory) { std::free(memory); }
}  // namespace

// Constant-initialised: no code runs at load time.
void* (*AllocateMemory)(size_t) = HeapAllocate;
void (*ReleaseMemory)(void*) = HeapRelease;
