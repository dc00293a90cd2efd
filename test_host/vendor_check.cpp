#include "test_host/vendor_check.h"

#include <windows.h>

#include "k8055d/k8055d.h"
#include "test_host/library_file.h"
#include "test_host/module_session.h"
#include "test_host/vendor_search.h"
#include "test_host/wide_text.h"

namespace {

constexpr char VendorFileName[] = "k8055d.dll";

std::string ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
  return Utf8(std::wstring(path, n));
}

// A folder that a W function fills in, asked for its length first.
template <typename TGetter>
std::string SystemText(TGetter get) {
  const DWORD size = get(nullptr, 0);
  if (size == 0) return "";
  std::wstring text(size, L'\0');
  const DWORD length = get(&text[0], size);
  text.resize(length < size ? length : 0);
  return Utf8(text);
}

TVendorSearchPlaces SearchPlaces() {
  TVendorSearchPlaces places;
  places.ProgramFolder = ProgramFolder();
  places.DllDirectory = SystemText([](wchar_t* buffer, DWORD size) { return GetDllDirectoryW(size, buffer); });
  places.SystemFolder = SystemText([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
  places.WindowsFolder = SystemText([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
  places.PathVariable =
      SystemText([](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(L"PATH", buffer, size); });
  return places;
}

std::string MissingEntryPoints(HMODULE library) {
  std::string missing;
  int count = 0;
  for (const char* name : VendorEntryNames) {
    if (GetProcAddress(library, name) != nullptr) continue;
    missing += (count++ ? ", " : "") + std::string(name);
  }
  if (count == 0) return "";
  return ModulePath(library) + " lacks the entry point" + (count > 1 ? "s " : " ") + missing +
         ": it is not the K8055 driver library, or not a complete one.";
}

std::string NotFound() {
  return "k8055d.dll was not found. Put the vendor's k8055d.dll beside the host program (" + ProgramFolder() +
         ") or in the Windows system folder, or add its folder to PATH.";
}

}  // namespace

std::string VendorLibraryPath() {
  HMODULE library = GetModuleHandleW(L"k8055d.dll");
  return library ? ModulePath(library) : "";
}

std::string FindVendorLibrary() {
  for (const std::string& folder : VendorSearchFolders(SearchPlaces())) {
    const std::string path = JoinPath(folder, VendorFileName);
    if (GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES) return path;
  }
  return "";
}

std::string WhyVendorUnusable() {
  if (HMODULE loaded = GetModuleHandleW(L"k8055d.dll")) {
    const std::string missing = MissingEntryPoints(loaded);
    return missing.empty() ? ModulePath(loaded) + " is complete, yet the module could not use it." : missing;
  }
  const std::string path = FindVendorLibrary();
  if (path.empty()) return NotFound();
  if (const std::string why = WhyNotA32BitDll(path); !why.empty())
    return path + " " + why + "; the module needs the 32-bit k8055d.dll that comes with the K8055 boards.";
  HMODULE library = LoadLibraryW(Wide(path).c_str());
  if (library == nullptr) {
    const DWORD code = GetLastError();
    if (code == ERROR_MOD_NOT_FOUND) return path + " needs a library that is missing; reinstall the vendor's driver.";
    return path + " could not be loaded (" + WindowsError(code) + ").";
  }
  const std::string missing = MissingEntryPoints(library);
  FreeLibrary(library);
  return missing.empty() ? path + " loads now, but did not when the module tried it." : missing;
}
