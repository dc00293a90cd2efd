#include "virtual_board/forward_library_win32.h"

#include <string_view>

#include "k8055d/k8055d.h"
#include "k8055d/library_loader_win32.h"
#include "k8055d/loader_call_guard_win32.h"
#include "virtual_board/board_settings.h"
#include "virtual_board/board_settings_win32.h"
#include "windows/image_kind.h"
#include "virtual_board/import_chain_win32.h"
#include "virtual_board/library_reentry_win32.h"
#include "virtual_board/loader_lock_win32.h"

namespace {

// Reads the file's headers; false, with the reason, when it is no 32-bit
// DLL, told before loading it so that no program's code and no 64-bit
// library is mapped for nothing.
bool CheckFile(const wchar_t* path, TFixedText& reason) {
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) reason << "does not exist";
    else AddWindowsError(reason << "cannot be read: ", error);
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    reason << "is a folder";
    return false;
  }
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    AddWindowsError(reason << "cannot be read: ", GetLastError());
    return false;
  }
  char head[4096];  // the headers of any ordinary library
  DWORD count = 0;
  const bool read = ReadFile(file, head, sizeof(head), &count, nullptr);
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (!read) {
    AddWindowsError(reason << "cannot be read: ", error);
    return false;
  }
  const TImageKind kind = ClassifyImage(std::string_view(head, count));
  if (kind == TImageKind::Dll32) return true;
  reason << DescribeImageKind(kind);
  if (kind == TImageKind::Dll64) reason << "; the vendor's 32-bit k8055d.dll is needed";
  return false;
}

// False, with the reason, when the library would load k8055d.dll, which in
// the board's process is the virtual board itself.
bool LoadsNoVendorLibrary(const wchar_t* path, TFixedText& reason) {
  char through[DllNameSize] = "";
  if (!LoadsVendorLibrary(path, through)) return true;
  reason << "imports " << VendorLibraryName;
  if (through[0] != '\0') reason << " through " << through;
  reason << ", and " << VendorLibraryName << " is the virtual board here";
  return false;
}

// The module whose code address lies in, or null.
HMODULE OwnerOf(FARPROC address) {
  HMODULE owner = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(address), &owner);
  return owner;
}

bool IsVirtualBoard(HMODULE module) { return module != nullptr && GetProcAddress(module, VirtualBoardMarker); }

// Looks up the entry points; false, with the reason, when one of the
// module's is missing or one leads into a virtual board (an export
// forwarded to one, or code of one). The others may be missing, as in an
// older library.
bool LookUpEntries(TForwardLibrary& library, TFixedText& reason) {
  bool complete = true;
  for (int entry = 0; entry < LibraryEntryCount; ++entry) {
    library.Entries[entry] = GetProcAddress(library.Module, VendorEntryNames[entry]);
    if (library.Entries[entry] != nullptr || entry >= VendorEntryCount) continue;
    reason << (complete ? "lacks the entry points " : ", ") << VendorEntryNames[entry];
    complete = false;
  }
  if (!complete) return false;
  bool virtualBoard = IsVirtualBoard(library.Module);
  for (const FARPROC entry : library.Entries)
    virtualBoard = virtualBoard || (entry != nullptr && IsVirtualBoard(OwnerOf(entry)));
  if (virtualBoard) reason << "is a virtual board, not the vendor's library";
  return !virtualBoard;
}

}  // namespace

bool LoadForwardLibrary(const char* path, TForwardLibrary& library, TFixedText& problem) {
  library = TForwardLibrary{};
  wchar_t wide[SettingsTextSize];
  WideText(path, wide, SettingsTextSize);
  char text[SettingsTextSize] = "";
  TFixedText reason(text, sizeof(text));
  bool usable = CheckFile(wide, reason) && LoadsNoVendorLibrary(wide, reason);
  if (usable) {
    TForwardLibraryMark inside;  // its start-up code calling the board is answered as refused
    library.Module = LoadLibraryFile(wide);
    if (library.Module == nullptr) AddWindowsError(reason << "cannot be loaded: ", GetLastError());
    usable = library.Module != nullptr && LookUpEntries(library, reason);
  }
  if (usable) return true;
  FreeForwardLibrary(library.Module);
  library = TForwardLibrary{};
  problem.NextLine() << "forward library " << path << " " << reason.View() << ": no board answers";
  return false;
}

void FreeForwardLibrary(HMODULE module) {
  if (module == nullptr) return;
  // Inside a DllMain the loader's lock is held: a thread of its own frees
  // the library once the loader lets it start, kernel32's FreeLibrary its
  // whole work, so that it needs no code of this DLL.
  if (ThreadHoldsLoaderLock()) {
    HANDLE freeing = CreateThread(nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(
                                                  reinterpret_cast<void (*)()>(&FreeLibrary)), module, 0, nullptr);
    if (freeing != nullptr) {
      CloseHandle(freeing);
      return;
    }
  }
  TLoaderCallGuard guard;
  TForwardLibraryMark inside;
  FreeLibrary(module);
}
