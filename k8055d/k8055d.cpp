#include "k8055d/k8055d.h"

namespace {

// The first folder holding the library ends the search, whether or not the
// library there loads.
bool LoadFromFolder(TPathText folder, void* handle) {
  return PlatformLibraryLoader.LoadFrom(folder, VendorLibraryName, *static_cast<TLibraryHandle*>(handle));
}

// The library the host has loaded already, else the first one found in the
// search folders (library_search.h), loaded by its full path; 0 if none.
TLibraryHandle LoadVendorLibrary() {
  if (TLibraryHandle loaded = PlatformLibraryLoader.TakeLoaded(VendorLibraryName)) return loaded;
  TLibrarySearchPlaces places{};
  if (!PlatformLibraryLoader.GetSearchPlaces(places)) return nullptr;
  TLibraryHandle handle = nullptr;
  ForEachSearchFolder(places, LoadFromFolder, &handle);
  PlatformLibraryLoader.ReleaseSearchPlaces(places);
  return handle;
}

}  // namespace

bool LoadDriver() {
  TDriverBinding& binding = DriverBinding();
  for (TLibraryProc& entry : binding.Table) entry = nullptr;
  binding.Handle = PlatformLibraryLoader.SearchQuietly(LoadVendorLibrary);
  if (binding.Handle == nullptr) return false;
  bool complete = true;
  for (int i = 0; i < VendorEntryCount; ++i) {
    binding.Table[i] = PlatformLibraryLoader.Lookup(binding.Handle, VendorEntryNames[i]);
    complete = complete && binding.Table[i] != nullptr;
  }
  return complete;
}

void UnloadDriver() {
  TDriverBinding& binding = DriverBinding();
  binding.Ready = false;
  if (binding.Handle == nullptr) return;
  PlatformLibraryLoader.Free(binding.Handle);
  binding.Handle = nullptr;
}
