#include "k8055d/k8055d.h"

TLibraryProc VendorTable[VendorEntryCount];
TLibraryHandle DriverHandle;
bool DriverTried;
bool DriverReady;

bool LoadDriver() {
  for (TLibraryProc& entry : VendorTable) entry = nullptr;
  DriverHandle = PlatformLibraryLoader.Load("k8055d.dll");
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
