#include "tests/fakes/failing_allocator.h"

#include <cstdlib>

#include "common/allocation.h"

namespace {

int AllocationCount, FailingAllocation, LiveBlocks;
const THeap* ModuleHeap;

void* CountingAllocate(size_t size) {
  if (++AllocationCount == FailingAllocation) return nullptr;
  ++LiveBlocks;
  return std::malloc(size);
}

void CountingRelease(void* memory) {
  if (memory != nullptr) --LiveBlocks;
  std::free(memory);
}

constexpr THeap CountingHeap{CountingAllocate, CountingRelease};

}  // namespace

TFailingAllocator::TFailingAllocator(int failAt) {
  AllocationCount = LiveBlocks = 0;
  FailingAllocation = failAt;
  ModuleHeap = SetHeap(&CountingHeap);
}

TFailingAllocator::~TFailingAllocator() { SetHeap(ModuleHeap); }

int TFailingAllocator::Allocations() const { return AllocationCount; }
int TFailingAllocator::Live() const { return LiveBlocks; }
