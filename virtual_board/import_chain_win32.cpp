#include "virtual_board/import_chain_win32.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string_view>

#include "k8055d/vendor_entries.h"
#include "virtual_board/board_settings.h"
#include "windows/image_imports.h"

namespace {

constexpr int MaxDlls = 64;                // DLLs beside the library, far more than any library brings
constexpr DWORD MaxFileBytes = 64u << 20;  // a larger file is not read: no library is that large

// The search: the DLLs named beside the library, visited or to visit, and
// which of them names k8055d.dll.
struct TSearch {
  char Names[MaxDlls][DllNameSize];
  int Count = 0;
  const char* Reading = "";  // the file whose tables are read: "" for the library
  bool Found = false;
  char Through[DllNameSize] = "";
};

bool SameName(std::string_view a, const char* b) {
  return a.size() == std::strlen(b) && _strnicmp(a.data(), b, a.size()) == 0;
}

void Note(std::string_view name, void* context) {
  TSearch& search = *static_cast<TSearch*>(context);
  if (NamesLibraryFile(name, VendorLibraryName)) {
    if (!search.Found) std::strcpy(search.Through, search.Reading);
    search.Found = true;
    return;
  }
  if (search.Count == MaxDlls || name.empty() || name.size() >= DllNameSize ||
      name.find_first_of("\\/:") != std::string_view::npos)
    return;
  for (int i = 0; i < search.Count; ++i)
    if (SameName(name, search.Names[i])) return;
  std::memcpy(search.Names[search.Count], name.data(), name.size());
  search.Names[search.Count++][name.size()] = '\0';
}

// Reads the tables of the file at path into search; a file that cannot be
// read is passed over (the loader would refuse it, or it is not the DLL
// that Windows would take).
void ReadTables(const wchar_t* path, TSearch& search) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const DWORD size = GetFileSize(file, nullptr);
  char* bytes = size != INVALID_FILE_SIZE && size <= MaxFileBytes ? static_cast<char*>(std::malloc(size)) : nullptr;
  DWORD count = 0;
  if (bytes != nullptr && ReadFile(file, bytes, size, &count, nullptr))
    ForEachImportedLibrary(std::string_view(bytes, count), Note, &search);
  std::free(bytes);
  CloseHandle(file);
}

}  // namespace

bool LoadsVendorLibrary(const wchar_t* path, char (&through)[DllNameSize]) {
  TSearch search;
  ReadTables(path, search);
  size_t folder = wcslen(path);
  while (folder > 0 && path[folder - 1] != L'\\' && path[folder - 1] != L'/') --folder;
  wchar_t beside[SettingsTextSize + DllNameSize];
  for (int i = 0; i < search.Count && !search.Found && folder < SettingsTextSize; ++i) {
    wmemcpy(beside, path, folder);
    // The loader reads the names in the ANSI code page.
    const int n = MultiByteToWideChar(CP_ACP, 0, search.Names[i], -1, beside + folder, DllNameSize);
    const DWORD attributes = n > 0 ? GetFileAttributesW(beside) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    search.Reading = search.Names[i];
    ReadTables(beside, search);
  }
  if (search.Found) std::memcpy(through, search.Through, DllNameSize);
  return search.Found;
}
