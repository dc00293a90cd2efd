#include "tests/native/failing_allocator.h"

#include <cstdlib>

#include "common/allocation.h"

namespace {

int AllocationCount, FailingAllocation, LiveBlocks;
void* (*ModuleAllocate)(size_t);
void (*ModuleRelease)(void*);

void* CountingAllocate(size_t size) {
  if (++AllocationCount == FailingAllocation) return nullptr;
  ++LiveBlocks;
  return std::malloc(size);
}

void CountingRelease(void* memory) {
  if (memory != nullptr) --LiveBlocks;
  std::free(memory);
}

}  // namespace

TFailingAllocator::TFailingAllocator(int failAt) {
  AllocationCount = LiveBlocks = 0;
  FailingAllocation = failAt;
  ModuleAllocate = AllocateMemory;
  ModuleRelease = ReleaseMemory;
  AllocateMemory = CountingAllocate;
  ReleaseMemory = CountingRelease;
}

TFailingAllocator::~TFailingAllocator() {
  AllocateMemory = ModuleAllocate;
  ReleaseMemory = ModuleRelease;
}

int TFailingAllocator::Allocations() const { return AllocationCount; }
int TFailingAllocator::Live() const { return LiveBlocks; }
