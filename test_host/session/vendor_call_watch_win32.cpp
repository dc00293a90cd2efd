#include "test_host/session/vendor_call_watch_win32.h"

#include <cstring>

#include "k8055d/vendor_entries.h"
#include "test_host/session/card_report.h"

namespace {

int32_t OpenResults[4] = {OpenDeviceNotCalled, OpenDeviceNotCalled, OpenDeviceNotCalled, OpenDeviceNotCalled};
uint32_t OutputCalls = 0;
bool Dropped[4] = {};
int32_t Selected = -1;     // the board the library answered for last, which output calls go to
bool Unconfirmed[4] = {};  // an output call went to the board since the library last answered for it
uint32_t FailedTransfers = 0;

TVendorSignature<int32_t(int32_t)>::Pointer RealOpenDevice;
TVendorSignature<int32_t(int32_t)>::Pointer RealSetCurrentDevice;
TVendorSignature<void(int32_t)>::Pointer RealSetDigitalChannel;
TVendorSignature<void(int32_t)>::Pointer RealClearDigitalChannel;
TVendorSignature<void(int32_t, int32_t)>::Pointer RealOutputAnalogChannel;

bool IsAddress(int32_t address) { return address >= 0 && address < 4; }

// The library answered for address: it holds the board, so the output
// calls sent to it before reached it.
void Answered(int32_t address) {
  Selected = address;
  Unconfirmed[address] = false;
}

K8055_STDCALL int32_t WatchedOpenDevice(int32_t address) {
  const int32_t result = RealOpenDevice(address);
  if (IsAddress(address)) OpenResults[address] = result;
  if (IsAddress(address) && result == address) Answered(address);
  return result;
}

// A board the library held and no longer does was dropped at a failed
// transfer: the last output call sent to it, which returns nothing, is the
// one that failed.
K8055_STDCALL int32_t WatchedSetCurrentDevice(int32_t address) {
  const int32_t result = RealSetCurrentDevice(address);
  if (!IsAddress(address)) return result;
  if (result == address) {
    Answered(address);
  } else if (result == -1 && OpenResults[address] >= 0 && !Dropped[address]) {
    Dropped[address] = true;
    if (Unconfirmed[address]) ++FailedTransfers;
    Unconfirmed[address] = false;
  }
  return result;
}

void OutputSent() {
  ++OutputCalls;
  if (Selected >= 0) Unconfirmed[Selected] = true;
}

K8055_STDCALL void WatchedSetDigitalChannel(int32_t channel) {
  OutputSent();
  RealSetDigitalChannel(channel);
}

K8055_STDCALL void WatchedClearDigitalChannel(int32_t channel) {
  OutputSent();
  RealClearDigitalChannel(channel);
}

K8055_STDCALL void WatchedOutputAnalogChannel(int32_t channel, int32_t data) {
  OutputSent();
  RealOutputAnalogChannel(channel, data);
}

// Stores found in real and hands out watcher in its place.
template <typename TPointer>
FARPROC Intercept(FARPROC found, TPointer& real, TPointer watcher) {
  real = reinterpret_cast<TPointer>(reinterpret_cast<void (*)()>(found));
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(watcher));
}

FARPROC WINAPI WatchedGetProcAddress(HMODULE library, LPCSTR name) {
  const FARPROC found = GetProcAddress(library, name);
  if (found == nullptr || IS_INTRESOURCE(name)) return found;
  if (std::strcmp(name, "OpenDevice") == 0) return Intercept(found, RealOpenDevice, &WatchedOpenDevice);
  if (std::strcmp(name, "SetCurrentDevice") == 0)
    return Intercept(found, RealSetCurrentDevice, &WatchedSetCurrentDevice);
  if (std::strcmp(name, "SetDigitalChannel") == 0)
    return Intercept(found, RealSetDigitalChannel, &WatchedSetDigitalChannel);
  if (std::strcmp(name, "ClearDigitalChannel") == 0)
    return Intercept(found, RealClearDigitalChannel, &WatchedClearDigitalChannel);
  if (std::strcmp(name, "OutputAnalogChannel") == 0)
    return Intercept(found, RealOutputAnalogChannel, &WatchedOutputAnalogChannel);
  return found;
}

template <typename T>
T* At(HMODULE module, DWORD offset) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + offset);
}

// The module's import address table entry of kernel32.dll's GetProcAddress.
FARPROC* GetProcAddressImport(HMODULE module) {
  const auto* headers = At<IMAGE_NT_HEADERS32>(module, At<IMAGE_DOS_HEADER>(module, 0)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* library = At<IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress); library->Name != 0; ++library) {
    // Without the names (OriginalFirstThunk) the entries cannot be told apart.
    if (lstrcmpiA(At<char>(module, library->Name), "kernel32.dll") != 0 || library->OriginalFirstThunk == 0) continue;
    auto* names = At<IMAGE_THUNK_DATA32>(module, library->OriginalFirstThunk);
    auto* entries = At<FARPROC>(module, library->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++entries) {
      if (IMAGE_SNAP_BY_ORDINAL32(names->u1.Ordinal)) continue;
      if (std::strcmp(At<IMAGE_IMPORT_BY_NAME>(module, names->u1.AddressOfData)->Name, "GetProcAddress") == 0)
        return entries;
    }
  }
  return nullptr;
}

}  // namespace

bool WatchVendorCalls(HMODULE module) {
  FARPROC* entry = GetProcAddressImport(module);
  DWORD protection = 0;
  if (entry == nullptr || !VirtualProtect(entry, sizeof(*entry), PAGE_READWRITE, &protection)) return false;
  *entry = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&WatchedGetProcAddress));
  VirtualProtect(entry, sizeof(*entry), protection, &protection);
  return true;
}

int32_t OpenDeviceResult(int32_t address) { return IsAddress(address) ? OpenResults[address] : OpenDeviceNotCalled; }

bool NoCardAddressAnswers() {
  for (const int32_t result : OpenResults)
    if (result != -1) return false;
  return true;
}

uint32_t OutputCallCount() { return OutputCalls; }

uint32_t FailedTransferCount() { return FailedTransfers; }

bool BoardDropped(int32_t address) { return IsAddress(address) && Dropped[address]; }
