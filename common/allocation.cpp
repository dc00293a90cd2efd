#include "common/allocation.h"

#include <cstdlib>

namespace {

void* HeapAllocate(size_t size) { return std::malloc(size); }
void HeapRelease(void* memory) { std::free(memory); }

constexpr THeap DefaultHeap{HeapAllocate, HeapRelease};

// Constant-initialised: no code runs at load time.
constinit const THeap* Heap = &DefaultHeap;

}  // namespace

void* AllocateMemory(size_t size) { return Heap->Allocate(size); }

void ReleaseMemory(void* memory) { Heap->Release(memory); }

const THeap* SetHeap(const THeap* heap) {
  const THeap* previous = Heap;
  Heap = heap != nullptr ? heap : &DefaultHeap;
  return previous;
}
