// Texts that Windows writes into a buffer of the caller's (a module's file
// name, a folder, a variable), had whole however long they are: the buffer
// grows until the text fits. Allocated from the module's heap
// (common/allocation.h); the caller frees Text with ReleaseMemory.
#pragma once

#include <windows.h>

#include "common/allocation.h"
#include "common/path_text.h"

// query(buffer, size) gives the length written, or, when the buffer is too
// small, the size needed or the size itself (as GetModuleFileNameW does, on
// Windows XP without a NUL), 0 when there is no such text. False when
// memory runs out; text is then empty, as it is for no text or one longer
// than any that Windows keeps.
template <typename TQuery>
bool QuerySystemText(TQuery query, TPathText& text) {
  static_assert(sizeof(TPathChar) == sizeof(wchar_t));
  text = {nullptr, 0};
  for (DWORD size = 512; size <= 0x10000; size *= 2) {
    auto* buffer = static_cast<TPathChar*>(AllocateMemory(size * sizeof(TPathChar)));
    if (buffer == nullptr) return false;
    const DWORD length = query(reinterpret_cast<wchar_t*>(buffer), size);
    if (length > 0 && length < size) {
      text = {buffer, length};
      return true;
    }
    ReleaseMemory(buffer);
    if (length == 0) return true;
  }
  return true;
}

// The full path of module's file (null: the program's), NUL-terminated;
// GetModuleFileNameW cuts a path to the buffer it is given, so it is never
// asked with a fixed one. False when memory runs out.
bool ModuleFileName(HMODULE module, TPathText& path);
