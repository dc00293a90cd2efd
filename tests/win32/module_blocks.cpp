#include "tests/win32/module_blocks.h"

namespace {

int64_t LiveBlocks;

// The module's own runtime functions, called on by the counters.
void* (*ModuleMalloc)(size_t);
void* (*ModuleCalloc)(size_t, size_t);
void* (*ModuleRealloc)(void*, size_t);
void (*ModuleFree)(void*);

void* CountingMalloc(size_t size) {
  void* block = ModuleMalloc(size);
  if (block != nullptr) ++LiveBlocks;
  return block;
}

void* CountingCalloc(size_t count, size_t size) {
  void* block = ModuleCalloc(count, size);
  if (block != nullptr) ++LiveBlocks;
  return block;
}

void* CountingRealloc(void* block, size_t size) {
  void* moved = ModuleRealloc(block, size);
  if (block == nullptr && moved != nullptr) ++LiveBlocks;
  if (block != nullptr && size == 0) --LiveBlocks;
  return moved;
}

void CountingFree(void* block) {
  if (block != nullptr) --LiveBlocks;
  ModuleFree(block);
}

template <typename TFunction>
void Keep(const TImportPatch& patch, TFunction& original) {
  original = reinterpret_cast<TFunction>(patch.Original());
}

}  // namespace

TModuleBlocks::TModuleBlocks(HMODULE module)
    : Malloc_(module, "msvcrt.dll", "malloc", reinterpret_cast<void*>(CountingMalloc)),
      Calloc_(module, "msvcrt.dll", "calloc", reinterpret_cast<void*>(CountingCalloc)),
      Realloc_(module, "msvcrt.dll", "realloc", reinterpret_cast<void*>(CountingRealloc)),
      Free_(module, "msvcrt.dll", "free", reinterpret_cast<void*>(CountingFree)) {
  LiveBlocks = 0;
  Keep(Malloc_, ModuleMalloc);
  Keep(Calloc_, ModuleCalloc);
  Keep(Realloc_, ModuleRealloc);
  Keep(Free_, ModuleFree);
}

int64_t TModuleBlocks::Live() const { return LiveBlocks; }
