#include "fake_vendor.h"

#include <cstring>

#include "k8055d/k8055d.h"
#include "module/card_slots.h"

namespace fake_vendor {

TState State;

namespace {

int LibraryToken;

void Record(const char* name) { State.Calls.push_back(name); }
void Record(const char* name, int a) { State.Calls.push_back(std::string(name) + " " + std::to_string(a)); }
void Record(const char* name, int a, int b) {
  State.Calls.push_back(std::string(name) + " " + std::to_string(a) + " " + std::to_string(b));
}

int32_t FakeOpenDevice(int32_t address) {
  Record("OpenDevice", address);
  return State.Answering.count(address) ? address : -1;
}
void FakeCloseDevice() { Record("CloseDevice"); }
int32_t FakeSetCurrentDevice(int32_t address) {
  Record("SetCurrentDevice", address);
  return address;
}
void FakeOutputAnalogChannel(int32_t channel, int32_t data) { Record("OutputAnalogChannel", channel, data); }
void FakeClearDigitalChannel(int32_t channel) { Record("ClearDigitalChannel", channel); }
void FakeSetDigitalChannel(int32_t channel) { Record("SetDigitalChannel", channel); }
// The entry points the module never calls.
void FakeUncalled() { Record("uncalled"); }

TLibraryHandle Load(const char* fileName) {
  if (std::strcmp(fileName, "k8055d.dll") != 0 || !State.Present) return nullptr;
  ++State.Loads;
  return &LibraryToken;
}

TLibraryProc Lookup(TLibraryHandle handle, const char* name) {
  if (handle != &LibraryToken || State.Missing == name) return nullptr;
  const struct {
    const char* Name;
    TLibraryProc Proc;
  } called[] = {
      {"OpenDevice", reinterpret_cast<TLibraryProc>(FakeOpenDevice)},
      {"CloseDevice", reinterpret_cast<TLibraryProc>(FakeCloseDevice)},
      {"SetCurrentDevice", reinterpret_cast<TLibraryProc>(FakeSetCurrentDevice)},
      {"OutputAnalogChannel", reinterpret_cast<TLibraryProc>(FakeOutputAnalogChannel)},
      {"ClearDigitalChannel", reinterpret_cast<TLibraryProc>(FakeClearDigitalChannel)},
      {"SetDigitalChannel", reinterpret_cast<TLibraryProc>(FakeSetDigitalChannel)},
  };
  for (const auto& entry : called)
    if (std::strcmp(entry.Name, name) == 0) return entry.Proc;
  for (const char* known : VendorEntryNames)
    if (std::strcmp(known, name) == 0) return FakeUncalled;
  return nullptr;
}

void Free(TLibraryHandle handle) {
  if (handle == &LibraryToken) ++State.Frees;
}

}  // namespace

void Reset() {
  State = TState{};
  DriverHandle = nullptr;
  DriverTried = false;
  DriverReady = false;
  for (TLibraryProc& entry : VendorTable) entry = nullptr;
  for (int32_t& slot : CardStatus) slot = SlotClosed;
}

void ResetAndLoad() {
  Reset();
  DriverReady = LoadDriver();
  DriverTried = true;
}

}  // namespace fake_vendor

extern const TLibraryLoader PlatformLibraryLoader = {fake_vendor::Load, fake_vendor::Lookup, fake_vendor::Free};
