#include "test_host/diagnosis/vendor_check_win32.h"

#include <windows.h>

#include "common/allocation.h"

#include "k8055d/k8055d.h"
#include "k8055d/library_loader.h"
#include "k8055d/library_loader_win32.h"
#include "k8055d/library_search.h"
#include "k8055d/quiet_error_mode_win32.h"
#include "test_host/diagnosis/library_file_win32.h"
#include "test_host/text/windows_error_win32.h"
#include "test_host/text/file_paths_win32.h"
#include "test_host/text/wide_text_win32.h"

namespace {

std::string MissingEntryPoints(HMODULE library) {
  std::string missing;
  int count = 0;
  for (const char* name : ModuleEntryNames) {
    if (GetProcAddress(library, name) != nullptr) continue;
    missing += (count++ ? ", " : "") + std::string(name);
  }
  if (count == 0) return "";
  return ModuleFilePath(library) + " lacks the entry point" + (count > 1 ? "s " : " ") + missing +
         ": it is not the K8055 driver library, or not a complete one.";
}

bool FindInFolder(TPathText folder, void* found) {
  TPathChar* path = nullptr;
  if (!SearchEndsInFolder(folder, VendorLibraryName, path)) return false;
  if (path != nullptr) *static_cast<std::string*>(found) = Utf8(reinterpret_cast<const wchar_t*>(path));
  ReleaseMemory(path);
  return true;
}

// Why the file at path is not the 32-bit vendor library, by its kind, or
// empty when it is a 32-bit DLL.
std::string NotA32BitDll(const std::string& path) {
  const std::string why = WhyNotA32BitDll(path);
  if (why.empty()) return "";
  return path + " " + why + "; the module needs the 32-bit " VENDOR_LIBRARY_FILE " that comes with the K8055 boards.";
}

// The module's folder is named too when it is not the program's.
std::string NotFound(const std::string& modulePath) {
  const std::string moduleFolder = modulePath.substr(0, modulePath.find_last_of("\\/") + 1);
  const bool programsFolder = lstrcmpiW(Wide(moduleFolder).c_str(), Wide(ProgramFolder()).c_str()) == 0;
  const std::string besideModule = programsFolder ? "" : " or beside the module (" + moduleFolder + ")";
  return VENDOR_LIBRARY_FILE " was not found. Put the vendor's " VENDOR_LIBRARY_FILE " beside the host program (" +
         ProgramFolder() + ")" +
         besideModule + " or in the Windows system folder, or add its folder to PATH.";
}

}  // namespace

std::string VendorLibraryPath() {
  HMODULE library = GetModuleHandleW(Wide(VendorLibraryName).c_str());
  return library ? ModuleFilePath(library) : "";
}

// The places are this process's, where the module's own file is the
// program: the module's path takes its place. As in the module, no probe
// raises a system error box (an empty removable drive on PATH).
std::string FindVendorLibrary(const std::string& modulePath) {
  TQuietErrorMode quiet;
  TLibrarySearchPlaces places{};
  if (!PlatformLibraryLoader.GetSearchPlaces(places)) return "";
  const std::wstring module = Wide(modulePath);
  TLibrarySearchPlaces asModule = places;
  asModule.ModuleFile = {reinterpret_cast<const TPathChar*>(module.c_str()), module.size()};
  std::string found;
  ForEachSearchFolder(asModule, FindInFolder, &found);
  PlatformLibraryLoader.ReleaseSearchPlaces(places);
  return found;
}

std::string WhyVendorUnusable(const std::string& modulePath) {
  if (HMODULE loaded = GetModuleHandleW(Wide(VendorLibraryName).c_str())) {
    // Windows loads a program by that name too: it has none of the entry
    // points, and is named for what it is.
    if (const std::string notDll = NotA32BitDll(ModuleFilePath(loaded)); !notDll.empty()) return notDll;
    const std::string missing = MissingEntryPoints(loaded);
    return missing.empty() ? ModuleFilePath(loaded) + " is complete, yet the module could not use it." : missing;
  }
  const std::string path = FindVendorLibrary(modulePath);
  if (path.empty()) return NotFound(modulePath);
  if (const std::string notDll = NotA32BitDll(path); !notDll.empty()) return notDll;
  // Loaded as the module loads it: no error box, its dependencies looked
  // for where the module has them looked for.
  HMODULE library = LoadLibraryFile(Wide(path).c_str());
  if (library == nullptr) {
    const DWORD code = GetLastError();
    if (code == ERROR_MOD_NOT_FOUND) return path + " needs a library that is missing; reinstall the vendor's driver.";
    return path + " could not be loaded (" + WindowsError(code, path) + ").";
  }
  const std::string missing = MissingEntryPoints(library);
  PlatformLibraryLoader.Free(library);
  return missing.empty() ? path + " loads now, but did not when the module tried it." : missing;
}
