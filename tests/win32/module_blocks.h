// Counts the heap blocks a loaded module holds: its imports of the C
// runtime's malloc, calloc, realloc and free are redirected through
// counters while an object of this class lives. Only blocks allocated
// meanwhile are counted, so compare counts taken during one object's life.
#pragma once

#include <windows.h>

#include <cstdint>

#include "tests/win32/import_patch.h"

// The module's imports are put back when the object goes.
class TModuleBlocks {
 public:
  explicit TModuleBlocks(HMODULE module);

  // Blocks allocated and not yet freed since the object was made.
  int64_t Live() const;
  // Whether the module's four imports were all found and redirected.
  bool Hooked() const { return Malloc_.Patched() && Calloc_.Patched() && Realloc_.Patched() && Free_.Patched(); }

 private:
  TImportPatch Malloc_, Calloc_, Realloc_, Free_;
};
