#include "virtual_board/desktop_folder_win32.h"

#include <windows.h>

#include <cwchar>

#include "k8055d/system_function_win32.h"

namespace {

// FOLDERID_Desktop, {B4BFCC3A-DB2C-424C-B029-7FE99A87C641}.
constexpr GUID DesktopFolderId = {0xB4BFCC3A, 0xDB2C, 0x424C, {0xB0, 0x29, 0x7F, 0xE9, 0x9A, 0x87, 0xC6, 0x41}};
constexpr int DesktopDirectory = 0x0010;  // CSIDL_DESKTOPDIRECTORY: the file system's Desktop folder
using TGetKnownFolderPath = HRESULT(WINAPI*)(const GUID& id, DWORD flags, HANDLE token, wchar_t** path);
using TGetFolderPath = HRESULT(WINAPI*)(HWND owner, int folder, HANDLE token, DWORD flags, wchar_t* path);
using TTaskMemFree = void(WINAPI*)(void* memory);

bool Copy(const wchar_t* folder, wchar_t* path, size_t size) {
  const size_t length = wcslen(folder);
  if (length == 0 || length >= size) return false;
  wmemcpy(path, folder, length + 1);
  return true;
}

// SHGetKnownFolderPath's text, freed with CoTaskMemFree whether it
// succeeds or not, as its documentation asks.
bool KnownFolder(HMODULE shell, wchar_t* path, size_t size, bool& tried) {
  const auto getKnownFolderPath = SystemFunction<TGetKnownFolderPath>(shell, "SHGetKnownFolderPath");
  HMODULE ole = getKnownFolderPath != nullptr ? LoadLibraryW(L"ole32.dll") : nullptr;
  const auto taskMemFree = SystemFunction<TTaskMemFree>(ole, "CoTaskMemFree");
  tried = taskMemFree != nullptr;
  bool found = false;
  if (tried) {
    wchar_t* folder = nullptr;
    found = SUCCEEDED(getKnownFolderPath(DesktopFolderId, 0, nullptr, &folder)) && Copy(folder, path, size);
    taskMemFree(folder);
  }
  if (ole != nullptr) FreeLibrary(ole);
  return found;
}

}  // namespace

bool DesktopFolder(wchar_t* path, size_t size) {
  // shell32.dll and ole32.dll are known DLLs: Windows takes them from its
  // system folder only.
  HMODULE shell = LoadLibraryW(L"shell32.dll");
  if (shell == nullptr) return false;
  bool tried = false;
  bool found = KnownFolder(shell, path, size, tried);
  if (!tried) {
    const auto getFolderPath = SystemFunction<TGetFolderPath>(shell, "SHGetFolderPathW");
    wchar_t folder[MAX_PATH] = L"";
    found = getFolderPath != nullptr && getFolderPath(nullptr, DesktopDirectory, nullptr, 0, folder) == S_OK &&
            Copy(folder, path, size);
  }
  FreeLibrary(shell);
  return found;
}
