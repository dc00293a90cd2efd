#include "k8055d/k8055d.h"

namespace {

constexpr char VendorLibraryName[] = "k8055d.dll";

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

TLibraryProc VendorTable[VendorEntryCount];
TLibraryHandle DriverHandle;
bool DriverTried;
bool DriverReady;

bool LoadDriver() {
  for (TLibraryProc& entry : VendorTable) entry = nullptr;
  DriverHandle = PlatformLibraryLoader.SearchQuietly(LoadVendorLibrary);
  if (DriverHandle == nullptr) return false;
  bool complete = true;
  for (int i = 0; i < VendorEntryCount; ++i) {
    VendorTable[i] = PlatformLibraryLoader.Lookup(DriverHandle, VendorEntryNames[i]);
    complete = complete && VendorTable[i] != nullptr;
  }
  return complete;
}

void UnloadDriver() {
  DriverReady = false;
  if (DriverHandle == nullptr) return;
  PlatformLibraryLoader.Free(DriverHandle);
  DriverHandle = nullptr;
}
