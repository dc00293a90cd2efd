#include "tests/win32/import_patch.h"

#include <cstring>

namespace {

template <typename T>
T* At(HMODULE module, DWORD offset) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + offset);
}

// The import address table entry of library!function in module, or null.
void** ImportEntry(HMODULE module, const char* libraryName, const char* function) {
  const auto* headers = At<IMAGE_NT_HEADERS32>(module, At<IMAGE_DOS_HEADER>(module, 0)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* library = At<IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress); library->Name != 0; ++library) {
    if (lstrcmpiA(At<char>(module, library->Name), libraryName) != 0 || library->OriginalFirstThunk == 0) continue;
    auto* names = At<IMAGE_THUNK_DATA32>(module, library->OriginalFirstThunk);
    auto* entries = At<void*>(module, library->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++entries) {
      if (IMAGE_SNAP_BY_ORDINAL32(names->u1.Ordinal)) continue;
      if (std::strcmp(At<IMAGE_IMPORT_BY_NAME>(module, names->u1.AddressOfData)->Name, function) == 0) return entries;
    }
  }
  return nullptr;
}

void Write(void** entry, void* value) {
  DWORD protection;
  VirtualProtect(entry, sizeof(*entry), PAGE_READWRITE, &protection);
  *entry = value;
  VirtualProtect(entry, sizeof(*entry), protection, &protection);
}

}  // namespace

TImportPatch::TImportPatch(HMODULE module, const char* library, const char* function, void* replacement)
    : Entry_(module != nullptr ? ImportEntry(module, library, function) : nullptr) {
  if (Entry_ == nullptr) return;
  Original_ = *Entry_;
  Write(Entry_, replacement);
}

TImportPatch::~TImportPatch() {
  if (Entry_ != nullptr) Write(Entry_, Original_);
}
