// Binding to the board vendor's driver library, loaded by name at run time.
// The 21 entry points are looked up in the vendor's order; six are called.
#pragma once

#include <cstdint>

#include "library_loader.h"

#if defined(_WIN32) && defined(__i386__)
#define K8055_STDCALL __attribute__((stdcall))
#else
#define K8055_STDCALL
#endif

enum TVendorEntry {
  veOpenDevice, veCloseDevice, veSetCurrentDevice, veReadAnalogChannel,
  veReadAllAnalog, veOutputAnalogChannel, veOutputAllAnalog,
  veClearAnalogChannel, veClearAllAnalog, veSetAnalogChannel, veSetAllAnalog,
  veWriteAllDigital, veClearDigitalChannel, veClearAllDigital,
  veSetDigitalChannel, veSetAllDigital, veReadDigitalChannel, veReadAllDigital,
  veReadCounter, veResetCounter, veSetCounterDebounceTime,
  VendorEntryCount
};

// Exported names, indexed by TVendorEntry.
extern const char* const VendorEntryNames[VendorEntryCount];

// The looked-up entry points; empty entries are null.
extern TLibraryProc VendorTable[VendorEntryCount];

using TOpenDevice = int32_t(K8055_STDCALL*)(int32_t address);
using TCloseDevice = void(K8055_STDCALL*)();
using TSetCurrentDevice = int32_t(K8055_STDCALL*)(int32_t address);
using TOutputAnalogChannel = void(K8055_STDCALL*)(int32_t channel, int32_t data);
using TDigitalChannel = void(K8055_STDCALL*)(int32_t channel);

// Typed access to the six entry points the module calls.
inline int32_t OpenDevice(int32_t address) {
  return reinterpret_cast<TOpenDevice>(VendorTable[veOpenDevice])(address);
}
inline void CloseDevice() { reinterpret_cast<TCloseDevice>(VendorTable[veCloseDevice])(); }
inline void SetCurrentDevice(int32_t address) {
  reinterpret_cast<TSetCurrentDevice>(VendorTable[veSetCurrentDevice])(address);
}
inline void OutputAnalogChannel(int32_t channel, int32_t data) {
  reinterpret_cast<TOutputAnalogChannel>(VendorTable[veOutputAnalogChannel])(channel, data);
}
inline void ClearDigitalChannel(int32_t channel) {
  reinterpret_cast<TDigitalChannel>(VendorTable[veClearDigitalChannel])(channel);
}
inline void SetDigitalChannel(int32_t channel) {
  reinterpret_cast<TDigitalChannel>(VendorTable[veSetDigitalChannel])(channel);
}

extern TLibraryHandle DriverHandle;  // 0 while not loaded
extern bool DriverTried;             // set once the first create ran LoadDriver
extern bool DriverReady;             // loaded, every entry point found, not yet freed

// Loads "k8055d.dll" by bare name and fills VendorTable; true when every
// entry point was found.
bool LoadDriver();

// Frees the library once. Afterwards DriverReady is false, so nothing calls
// into the freed code.
void UnloadDriver();
