#include "windows/system_functions_win32.h"

namespace {

enum TSystemLibrary { Kernel32, User32, Shcore, Shell32, Ole32, LibraryCount };

// Libraries that every program using them imports, so that they are loaded
// already; the others are loaded at the first need, and kept.
constexpr const wchar_t* LibraryFiles[LibraryCount] = {L"kernel32.dll", L"user32.dll", L"shcore.dll", L"shell32.dll",
                                                       L"ole32.dll"};
constexpr bool LoadedAtNeed[LibraryCount] = {false, false, true, true, true};

struct TRow {
  TSystemLibrary Library;
  const char* Name;
};

const TRow Rows[] = {
#define SYSTEM_FUNCTION_ROW(library, name, result, params, fallback) {library, #name},
    SYSTEM_FUNCTION_LIST(SYSTEM_FUNCTION_ROW)
#undef SYSTEM_FUNCTION_ROW
};
constexpr int RowCount = sizeof(Rows) / sizeof(Rows[0]);

HMODULE volatile Libraries[LibraryCount];    // found or loaded, kept for the process
FARPROC volatile Replacements[RowCount];      // a test's, in place of Windows' own

// The system folder for this program's libraries: under WoW64 the 32-bit
// one, named as it is (SysWOW64), so that a thread on which the host
// disabled the file system's redirection (Wow64DisableWow64FsRedirection)
// still finds 32-bit files there; elsewhere the system folder.
UINT SystemFolder(wchar_t* path, UINT size) {
#if !defined(_WIN64)
  if (const auto wow64Folder = SystemFunction<TSystemFunction::GetSystemWow64DirectoryW>()) {
    const UINT length = wow64Folder(path, size);
    if (length > 0) return length;  // 0 on 32-bit Windows: no folder apart
  }
#endif
  return GetSystemDirectoryW(path, size);
}

// From the system folder by its full path, never from the program's folder
// or the current directory: LOAD_LIBRARY_SEARCH_SYSTEM32 is refused where
// Windows lacks AddDllDirectory (Windows XP, Vista and 7 without
// KB2533623).
HMODULE LoadFromSystemFolder(const wchar_t* file) {
  wchar_t path[MAX_PATH + 16];
  const UINT length = SystemFolder(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  lstrcpyW(path + length, L"\\");
  lstrcpyW(path + length + 1, file);
  return LoadLibraryW(path);
}

// A library loaded at the need takes a reference of the table's own, also
// when the program has it loaded already, so that the program cannot free
// it under the table.
HMODULE Library(TSystemLibrary library) {
  if (HMODULE kept = Libraries[library]) return kept;
  HMODULE module = LoadedAtNeed[library] ? LoadFromSystemFolder(LibraryFiles[library])
                                         : GetModuleHandleW(LibraryFiles[library]);
  // Two threads may both find it; the reference the second took is kept as well.
  if (module != nullptr) InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&Libraries[library]), module, nullptr);
  return module;
}

}  // namespace

FARPROC LookUpSystemFunction(TSystemFunction function) {
  const int row = static_cast<int>(function);
  if (FARPROC replacement = Replacements[row]) return replacement;
  HMODULE library = Library(Rows[row].Library);
  return library != nullptr ? GetProcAddress(library, Rows[row].Name) : nullptr;
}

FARPROC SetSystemFunction(TSystemFunction function, FARPROC replacement) {
  return reinterpret_cast<FARPROC>(InterlockedExchangePointer(
      reinterpret_cast<void* volatile*>(&Replacements[static_cast<int>(function)]), reinterpret_cast<void*>(replacement)));
}
