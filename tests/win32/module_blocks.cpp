#include "tests/win32/module_blocks.h"

#include <cstring>

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

struct THook {
  const char* Name;
  void* Counting;
  void** Original;  // the module's import, called on and put back at the end
};

THook Hooks[] = {
    {"malloc", reinterpret_cast<void*>(CountingMalloc), reinterpret_cast<void**>(&ModuleMalloc)},
    {"calloc", reinterpret_cast<void*>(CountingCalloc), reinterpret_cast<void**>(&ModuleCalloc)},
    {"realloc", reinterpret_cast<void*>(CountingRealloc), reinterpret_cast<void**>(&ModuleRealloc)},
    {"free", reinterpret_cast<void*>(CountingFree), reinterpret_cast<void**>(&ModuleFree)},
};

// Calls patch(hook, slot) for every import address table slot of module
// that holds one of the hooked msvcrt.dll functions.
template <typename TPatch>
void ForEachRuntimeImport(HMODULE module, TPatch patch) {
  auto* base = reinterpret_cast<uint8_t*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       library->Name != 0; ++library) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + library->Name), "msvcrt.dll") != 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const char* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
      for (THook& hook : Hooks)
        if (std::strcmp(name, hook.Name) == 0) patch(hook, slots->u1.Function);
    }
  }
}

void Write(decltype(IMAGE_THUNK_DATA::u1.Function)& slot, void* function) {
  DWORD protection;
  VirtualProtect(&slot, sizeof(slot), PAGE_READWRITE, &protection);
  slot = reinterpret_cast<decltype(IMAGE_THUNK_DATA::u1.Function)>(function);
  VirtualProtect(&slot, sizeof(slot), protection, &protection);
}

}  // namespace

TModuleBlocks::TModuleBlocks(HMODULE module) : Module_(module) {
  LiveBlocks = 0;
  ForEachRuntimeImport(Module_, [this](THook& hook, auto& slot) {
    *hook.Original = reinterpret_cast<void*>(slot);
    Write(slot, hook.Counting);
    ++Hooked_;
  });
}

TModuleBlocks::~TModuleBlocks() {
  ForEachRuntimeImport(Module_, [](THook& hook, auto& slot) { Write(slot, *hook.Original); });
}

int64_t TModuleBlocks::Live() const { return LiveBlocks; }
