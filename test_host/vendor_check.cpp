#include "test_host/vendor_check.h"

#include <windows.h>

#include "k8055d/k8055d.h"
#include "test_host/module_session.h"

namespace {

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
  return std::string(path, n);
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

std::string NotLoaded(DWORD code) {
  char found[MAX_PATH];
  if (SearchPathA(nullptr, "k8055d.dll", nullptr, MAX_PATH, found, nullptr) == 0)
    return "k8055d.dll was not found. Put the vendor's k8055d.dll beside the host program (" + ProgramFolder() +
           ") or in the Windows system folder, or add its folder to PATH.";
  const std::string where = found;
  if (code == ERROR_BAD_EXE_FORMAT) return where + " is not a 32-bit Windows library; the module needs the 32-bit one.";
  if (code == ERROR_MOD_NOT_FOUND) return where + " needs a library that is missing; reinstall the vendor's driver.";
  return where + " could not be loaded (Windows error " + std::to_string(code) + ").";
}

}  // namespace

std::string VendorLibraryPath() {
  HMODULE library = GetModuleHandleA("k8055d.dll");
  return library ? ModulePath(library) : "";
}

std::string WhyVendorUnusable() {
  if (HMODULE loaded = GetModuleHandleA("k8055d.dll")) {
    const std::string missing = MissingEntryPoints(loaded);
    return missing.empty() ? ModulePath(loaded) + " is complete, yet the module could not use it." : missing;
  }
  HMODULE library = LoadLibraryA("k8055d.dll");
  if (library == nullptr) return NotLoaded(GetLastError());
  const std::string missing = MissingEntryPoints(library);
  FreeLibrary(library);
  return missing.empty() ? "k8055d.dll loads now, but did not when the module tried it." : missing;
}
