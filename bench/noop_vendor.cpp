#include "bench/noop_vendor.h"

#include "k8055d/k8055d.h"
#include "module/card_slots.h"
#include "tests/fakes/fake_vendor.h"

namespace {
int32_t K8055_STDCALL NoOpWithAddress(int32_t address) { return address; }
void K8055_STDCALL NoOpOneArgument(int32_t) {}
void K8055_STDCALL NoOpTwoArguments(int32_t, int32_t) {}
}  // namespace

void InstallNoOpVendor() {
  fake_vendor::Reset();
  fake_vendor::State.Replaced = {
      {"SetCurrentDevice", reinterpret_cast<TLibraryProc>(NoOpWithAddress)},
      {"OutputAnalogChannel", reinterpret_cast<TLibraryProc>(NoOpTwoArguments)},
      {"SetDigitalChannel", reinterpret_cast<TLibraryProc>(NoOpOneArgument)},
      {"ClearDigitalChannel", reinterpret_cast<TLibraryProc>(NoOpOneArgument)},
  };
  LoadDriverOnce();
  OpenCard(0);
}
