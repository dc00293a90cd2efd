// One import of a loaded module redirected while the object lives: the
// module's import address table entry of library!function is set to
// replacement, and put back at the end. Lets a test make a system call of
// the module's fail, or count it.
#pragma once

#include <windows.h>

class TImportPatch {
 public:
  TImportPatch(HMODULE module, const char* library, const char* function, void* replacement);
  ~TImportPatch();
  TImportPatch(const TImportPatch&) = delete;
  TImportPatch& operator=(const TImportPatch&) = delete;

  // Whether the module imports the function by name (and so is redirected).
  bool Patched() const { return Entry_ != nullptr; }
  // What the entry held: the function itself, for the replacement to call.
  void* Original() const { return Original_; }

 private:
  void** Entry_ = nullptr;
  void* Original_ = nullptr;
};
