// Windows implementation of the library loading seam. Paths are handled as
// UTF-16 throughout (the wide-character functions), so folders of any
// length and with names outside the ANSI code page work.
#include "k8055d/library_loader.h"

#include <windows.h>

#include <initializer_list>

#include "common/allocation.h"
#include "windows/system_functions_win32.h"
#include "k8055d/library_loader_win32.h"
#include "k8055d/loader_call_guard_win32.h"
#include "k8055d/path_join.h"
#include "k8055d/quiet_error_mode_win32.h"
#include "windows/system_text_win32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

static_assert(sizeof(TPathChar) == sizeof(wchar_t));

wchar_t* Wide(TPathChar* text) { return reinterpret_cast<wchar_t*>(text); }
const wchar_t* Wide(const TPathChar* text) { return reinterpret_cast<const wchar_t*>(text); }

// A library's file name (ASCII) as UTF-16.
constexpr size_t MaxFileName = 32;
bool WideFileName(const char* fileName, TPathChar (&wide)[MaxFileName]) {
  size_t i = 0;
  for (; fileName[i] != '\0'; ++i) {
    if (i + 1 == MaxFileName) return false;
    wide[i] = static_cast<TPathChar>(static_cast<unsigned char>(fileName[i]));
  }
  wide[i] = u'\0';
  return true;
}

// The folder for 32-bit system libraries: SysWOW64 for a 32-bit process on
// 64-bit Windows, named as such so that it holds also where the host has
// turned file system redirection off; System32 on 32-bit Windows, where
// GetSystemWow64DirectoryW fails.
bool SystemFolder(TPathText& folder) {
  if (auto wow64Folder = SystemFunction<TSystemFunction::GetSystemWow64DirectoryW>()) {
    if (!QuerySystemText([wow64Folder](wchar_t* buffer, DWORD size) { return wow64Folder(buffer, size); }, folder))
      return false;
    if (folder.Length > 0) return true;
  }
  return QuerySystemText([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }, folder);
}

// GetDllDirectoryW: Windows XP SP1 and later.
bool DllDirectory(TPathText& folder) {
  folder = {nullptr, 0};
  auto getDllDirectory = SystemFunction<TSystemFunction::GetDllDirectoryW>();
  return getDllDirectory == nullptr ||
         QuerySystemText([getDllDirectory](wchar_t* buffer, DWORD size) { return getDllDirectory(size, buffer); },
                         folder);
}

TLibraryHandle TakeLoaded(const char* fileName) {
  TPathChar name[MaxFileName];
  HMODULE module = nullptr;
  if (!WideFileName(fileName, name) || !GetModuleHandleExW(0, Wide(name), &module)) return nullptr;
  return module;
}

// folder joined with name, allocated from the module's heap; null when
// memory runs out.
TPathChar* JoinedPath(TPathText folder, TPathText name) {
  auto* path = static_cast<TPathChar*>(AllocateMemory(JoinedPathSize(folder, name) * sizeof(TPathChar)));
  if (path != nullptr) JoinPath(folder, name, path);
  return path;
}

TPathText Text(const TPathChar* text) {
  size_t length = 0;
  while (text[length] != u'\0') ++length;
  return {text, length};
}

// No function names the 16-bit system folder; the loader searches the
// Windows folder's System.
bool System16Folder(TPathText windowsFolder, TPathText& folder) {
  folder = {nullptr, 0};
  if (windowsFolder.Length == 0) return true;
  TPathChar* joined = JoinedPath(windowsFolder, Text(u"System"));
  if (joined != nullptr) folder = Text(joined);
  return joined != nullptr;
}

// The DLL this code is linked into: the module (the test host, where it is
// linked into the program, gives the program).
HMODULE ThisModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }

void ReleaseSearchPlaces(TLibrarySearchPlaces& places);

// All or nothing: a place left out for want of memory would let a library
// in a later folder be taken for the one the loader finds.
bool GetSearchPlaces(TLibrarySearchPlaces& places) {
  places = {};
  const bool complete =
      ModuleFileName(nullptr, places.ProgramFile) && ModuleFileName(ThisModule(), places.ModuleFile) &&
      DllDirectory(places.DllDirectory) && SystemFolder(places.SystemFolder) &&
      QuerySystemText([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); },
                      places.WindowsFolder) &&
      System16Folder(places.WindowsFolder, places.System16Folder) &&
      QuerySystemText([](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(L"PATH", buffer, size); },
                      places.Path);
  if (!complete) ReleaseSearchPlaces(places);
  return complete;
}

void ReleaseSearchPlaces(TLibrarySearchPlaces& places) {
  for (TPathText* text : {&places.ProgramFile, &places.ModuleFile, &places.DllDirectory, &places.SystemFolder,
                          &places.System16Folder, &places.WindowsFolder, &places.Path}) {
    ReleaseMemory(const_cast<TPathChar*>(text->Text));
    *text = {nullptr, 0};
  }
}

bool IsFile(const TPathChar* path) {
  const DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool LoadFrom(TPathText folder, const char* fileName, TLibraryHandle& handle) {
  TPathChar* path = nullptr;
  if (!SearchEndsInFolder(folder, fileName, path)) return false;
  if (path != nullptr) handle = LoadLibraryFile(Wide(path));
  ReleaseMemory(path);
  return true;
}

TLibraryProc Lookup(TLibraryHandle handle, const char* name) {
  return reinterpret_cast<TLibraryProc>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void Free(TLibraryHandle handle) {
  TLoaderCallGuard guard;
  FreeLibrary(static_cast<HMODULE>(handle));
}

TLibraryHandle SearchQuietly(TLibraryHandle (*search)()) {
  TQuietErrorMode quiet;
  return search();
}

// The library's own dependencies: where LoadLibraryEx has the
// LOAD_LIBRARY_SEARCH flags (AddDllDirectory is their sign: Windows 8 and
// later, Windows 7 and Vista with update KB2533623; elsewhere the flags are
// an invalid parameter) in its folder, the program's folder, the folders
// the program added (SetDllDirectory) and the system folder, never the
// current directory. Elsewhere its folder first, then the loader's
// standard order (LOAD_WITH_ALTERED_SEARCH_PATH).
DWORD DependencySearchFlags() {
  return SystemFunction<TSystemFunction::AddDllDirectory>() != nullptr
             ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
             : LOAD_WITH_ALTERED_SEARCH_PATH;
}

}  // namespace

// Out of memory ends the search with nothing found, for the same reason.
bool SearchEndsInFolder(TPathText folder, const char* fileName, TPathChar*& path) {
  path = nullptr;
  TPathChar name[MaxFileName];
  if (!WideFileName(fileName, name)) return true;
  path = JoinedPath(folder, Text(name));
  if (path == nullptr || IsFile(path)) return true;
  ReleaseMemory(path);
  path = nullptr;
  return false;
}

HMODULE LoadLibraryFile(const wchar_t* path) {
  const DWORD flags = DependencySearchFlags();
  HMODULE library;
  DWORD error;
  {
    TLoaderCallGuard guard;
    library = LoadLibraryExW(path, nullptr, flags);
    error = GetLastError();
  }
  SetLastError(error);
  return library;
}

extern const TLibraryLoader PlatformLibraryLoader = {
    .TakeLoaded = TakeLoaded,
    .GetSearchPlaces = GetSearchPlaces,
    .ReleaseSearchPlaces = ReleaseSearchPlaces,
    .LoadFrom = LoadFrom,
    .Lookup = Lookup,
    .Free = Free,
    .SearchQuietly = SearchQuietly,
};
