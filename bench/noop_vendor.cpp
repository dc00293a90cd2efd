#include "bench/noop_vendor.h"

#include "k8055d/k8055d.h"
#include "module/card_slots.h"

namespace {
int32_t K8055_STDCALL NoOpWithAddress(int32_t address) { return address; }
void K8055_STDCALL NoOpOneArgument(int32_t) {}
void K8055_STDCALL NoOpTwoArguments(int32_t, int32_t) {}
}  // namespace

void InstallNoOpVendor() {
  VendorTable[veSetCurrentDevice] = reinterpret_cast<TLibraryProc>(NoOpWithAddress);
  VendorTable[veOutputAnalogChannel] = reinterpret_cast<TLibraryProc>(NoOpTwoArguments);
  VendorTable[veSetDigitalChannel] = reinterpret_cast<TLibraryProc>(NoOpOneArgument);
  VendorTable[veClearDigitalChannel] = reinterpret_cast<TLibraryProc>(NoOpOneArgument);
  DriverTried = DriverReady = true;
  CardStatus[0] = 0;
}
