#include "tests/fakes/fake_vendor.h"

#include <cstring>
#include <type_traits>

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
  if (State.DuringOpenDevice) State.DuringOpenDevice();
  State.Open.insert(State.Answering.begin(), State.Answering.end());
  return State.Answering.count(address) ? address : -1;
}
void FakeCloseDevice() {
  Record("CloseDevice");
  State.Open.clear();
}
int32_t FakeSetCurrentDevice(int32_t address) {
  Record("SetCurrentDevice", address);
  return State.Open.count(address) && !State.Dropped.count(address) ? address : -1;
}
void FakeOutputAnalogChannel(int32_t channel, int32_t data) { Record("OutputAnalogChannel", channel, data); }
void FakeClearDigitalChannel(int32_t channel) { Record("ClearDigitalChannel", channel); }
void FakeSetDigitalChannel(int32_t channel) { Record("SetDigitalChannel", channel); }
// The entry points the module never calls.
void FakeUncalled() { Record("uncalled"); }

// The table the fake library offers: a recording fake for each entry point
// the module calls, FakeUncalled for the rest.
#define FAKE_PROC_Called(name, result, params)                                                      \
  [] {                                                                                             \
    static_assert(std::is_same_v<decltype(&Fake##name), TVendorSignature<result params>::Pointer>); \
    return reinterpret_cast<TLibraryProc>(Fake##name);                                             \
  }()
#define FAKE_PROC_LookedUp(name, result, params) FakeUncalled
#define FAKE_PROC(name, result, params, bytes, use) FAKE_PROC_##use(name, result, params),
const TLibraryProc FakeEntries[VendorEntryCount] = {VENDOR_ENTRY_LIST(FAKE_PROC)};
#undef FAKE_PROC

bool IsLibraryName(const char* fileName) { return std::strcmp(fileName, VendorLibraryName) == 0; }

void NoteProbe() { State.LoudProbes += State.Quiet ? 0 : 1; }

TLibraryHandle TakeLoaded(const char* fileName) {
  NoteProbe();
  if (!IsLibraryName(fileName) || !State.AlreadyLoaded) return nullptr;
  ++State.Loads;
  return &LibraryToken;
}

TPathText Text(const std::u16string& text) { return {text.data(), text.size()}; }

bool GetSearchPlaces(TLibrarySearchPlaces& places) {
  NoteProbe();
  if (!State.PlacesKnown) return false;
  places = {Text(State.ProgramFile),    Text(State.ModuleFile),    Text(State.DllDirectory), Text(State.SystemFolder),
            Text(State.System16Folder), Text(State.WindowsFolder), Text(State.Path)};
  ++State.PlacesHeld;
  return true;
}

void ReleaseSearchPlaces(TLibrarySearchPlaces&) { --State.PlacesHeld; }

bool LoadFrom(TPathText folder, const char* fileName, TLibraryHandle& handle) {
  NoteProbe();
  State.Searched.emplace_back(folder.Text, folder.Length);
  if (!IsLibraryName(fileName) || !State.Present || State.Searched.back() != State.LibraryFolder) return false;
  handle = State.Loadable ? &LibraryToken : nullptr;
  State.Loads += State.Loadable ? 1 : 0;
  return true;
}

TLibraryProc Lookup(TLibraryHandle handle, const char* name) {
  if (handle != &LibraryToken || State.Missing == name) return nullptr;
  if (const auto replaced = State.Replaced.find(name); replaced != State.Replaced.end()) return replaced->second;
  for (int i = 0; i < VendorEntryCount; ++i)
    if (std::strcmp(VendorEntryNames[i], name) == 0) return FakeEntries[i];
  return nullptr;
}

void Free(TLibraryHandle handle) {
  if (handle == &LibraryToken) ++State.Frees;
}

TLibraryHandle SearchQuietly(TLibraryHandle (*search)()) {
  State.Quiet = true;
  TLibraryHandle handle = search();
  State.Quiet = false;
  return handle;
}

// The binding and the slots as a fresh process has them: nothing loaded or
// tried, every slot closed.
void ResetModuleState() {
  DriverBinding() = TDriverBinding{};
  for (int32_t& slot : CardSlots().Status) slot = SlotClosed;
  for (bool& dropped : CardSlots().Dropped) dropped = false;
}

}  // namespace

void Reset() {
  State = TState{};
  ResetModuleState();
}

void ResetAndLoad() {
  Reset();
  LoadDriverOnce();
}

}  // namespace fake_vendor

extern const TLibraryLoader PlatformLibraryLoader = {
    .TakeLoaded = fake_vendor::TakeLoaded,
    .GetSearchPlaces = fake_vendor::GetSearchPlaces,
    .ReleaseSearchPlaces = fake_vendor::ReleaseSearchPlaces,
    .LoadFrom = fake_vendor::LoadFrom,
    .Lookup = fake_vendor::Lookup,
    .Free = fake_vendor::Free,
    .SearchQuietly = fake_vendor::SearchQuietly,
};
