// Windows implementation of the library loading seam.
#include "k8055d/library_loader.h"

#include <windows.h>

namespace {

TLibraryHandle Load(const char* fileName) { return LoadLibraryA(fileName); }

TLibraryProc Lookup(TLibraryHandle handle, const char* name) {
  return reinterpret_cast<TLibraryProc>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void Free(TLibraryHandle handle) { FreeLibrary(static_cast<HMODULE>(handle)); }

}  // namespace

extern const TLibraryLoader PlatformLibraryLoader = {.Load = Load, .Lookup = Lookup, .Free = Free};
