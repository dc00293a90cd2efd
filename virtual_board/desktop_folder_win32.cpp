#include "virtual_board/desktop_folder_win32.h"

#include <windows.h>

#include <cwchar>

#include "windows/system_function_win32.h"
#include "virtual_board/board_settings.h"

namespace {

// FOLDERID_Desktop, {B4BFCC3A-DB2C-424C-B029-7FE99A87C641}.
constexpr GUID DesktopFolderId = {0xB4BFCC3A, 0xDB2C, 0x424C, {0xB0, 0x29, 0x7F, 0xE9, 0x9A, 0x87, 0xC6, 0x41}};
constexpr int DesktopDirectory = 0x0010;  // CSIDL_DESKTOPDIRECTORY: the file system's Desktop folder
using TGetKnownFolderPath = HRESULT(WINAPI*)(const GUID& id, DWORD flags, HANDLE token, wchar_t** path);
using TGetFolderPath = HRESULT(WINAPI*)(HWND owner, int folder, HANDLE token, DWORD flags, wchar_t* path);
using TTaskMemFree = void(WINAPI*)(void* memory);

// The shell's answer, asked for once: Unasked, then Asking while the first
// caller asks, then Answered for good.
enum : LONG { Unasked, Asking, Answered };
volatile LONG State = Unasked;
wchar_t Folder[SettingsTextSize];  // empty: the shell could not tell

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
  if (!tried) return false;
  wchar_t* folder = nullptr;
  const bool found = SUCCEEDED(getKnownFolderPath(DesktopFolderId, 0, nullptr, &folder)) && Copy(folder, path, size);
  taskMemFree(folder);
  return found;
}

// Asks the shell. shell32.dll and ole32.dll are known DLLs, which Windows
// takes from its system folder only; they are not freed (see the header).
bool AskShell(wchar_t* path, size_t size) {
  HMODULE shell = LoadLibraryW(L"shell32.dll");
  if (shell == nullptr) return false;
  bool tried = false;
  const bool found = KnownFolder(shell, path, size, tried);
  if (tried) return found;
  const auto getFolderPath = SystemFunction<TGetFolderPath>(shell, "SHGetFolderPathW");
  wchar_t folder[MAX_PATH] = L"";
  return getFolderPath != nullptr && getFolderPath(nullptr, DesktopDirectory, nullptr, 0, folder) == S_OK &&
         Copy(folder, path, size);
}

}  // namespace

bool DesktopFolder(wchar_t* path, size_t size) {
  if (InterlockedCompareExchange(&State, Asking, Unasked) == Unasked) {
    if (!AskShell(Folder, SettingsTextSize)) Folder[0] = L'\0';
    InterlockedExchange(&State, Answered);
  }
  while (InterlockedCompareExchange(&State, Answered, Answered) != Answered) Sleep(1);
  return Copy(Folder, path, size);
}
