#include "virtual_board/desktop_folder_win32.h"

#include <windows.h>

#include <cwchar>

#include "windows/system_functions_win32.h"
#include "virtual_board/board_settings.h"

namespace {

// FOLDERID_Desktop, {B4BFCC3A-DB2C-424C-B029-7FE99A87C641}.
constexpr GUID DesktopFolderId = {0xB4BFCC3A, 0xDB2C, 0x424C, {0xB0, 0x29, 0x7F, 0xE9, 0x9A, 0x87, 0xC6, 0x41}};
constexpr int DesktopDirectory = 0x0010;  // CSIDL_DESKTOPDIRECTORY: the file system's Desktop folder

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
bool KnownFolder(wchar_t* path, size_t size, bool& tried) {
  const auto getKnownFolderPath = SystemFunction<TSystemFunction::SHGetKnownFolderPath>();
  const auto taskMemFree = getKnownFolderPath != nullptr ? SystemFunction<TSystemFunction::CoTaskMemFree>() : nullptr;
  tried = taskMemFree != nullptr;
  if (!tried) return false;
  wchar_t* folder = nullptr;
  const bool found = SUCCEEDED(getKnownFolderPath(DesktopFolderId, 0, nullptr, &folder)) && Copy(folder, path, size);
  taskMemFree(folder);
  return found;
}

// Asks the shell, whose libraries the system function table loads from the
// system folder and keeps (see the header).
bool AskShell(wchar_t* path, size_t size) {
  bool tried = false;
  const bool found = KnownFolder(path, size, tried);
  if (tried) return found;
  const auto getFolderPath = SystemFunction<TSystemFunction::SHGetFolderPathW>();
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
