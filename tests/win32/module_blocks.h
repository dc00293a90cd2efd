// Counts the heap blocks a loaded module holds: its imports of the C
// runtime's malloc, calloc, realloc and free are redirected through
// counters while an object of this class lives. Only blocks allocated
// meanwhile are counted, so compare counts taken during one object's life.
#pragma once

#include <windows.h>

#include <cstdint>

class TModuleBlocks {
 public:
  explicit TModuleBlocks(HMODULE module);
  ~TModuleBlocks();  // puts the module's imports back
  TModuleBlocks(const TModuleBlocks&) = delete;
  TModuleBlocks& operator=(const TModuleBlocks&) = delete;

  // Blocks allocated and not yet freed since the object was made.
  int64_t Live() const;
  // Whether the module's four imports were all found and redirected.
  bool Hooked() const { return Hooked_ == 4; }

 private:
  HMODULE Module_;
  int Hooked_ = 0;
};
