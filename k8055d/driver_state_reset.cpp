// Kept out of k8055d.cpp so that the DLL, which never resets, does not
// link it.
#include "k8055d/k8055d.h"

void ResetDriverState() {
  for (TLibraryProc& entry : VendorTable) entry = nullptr;
  DriverHandle = nullptr;
  DriverTried = false;
  DriverReady = false;
}
