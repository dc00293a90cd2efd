// The virtual board loaded as a program other than the module loads it, in
// front of the recording test library (VIRTUAL_K8055_FORWARD): the fixture
// of the forwarding tests, which clears every variable they set before and
// after each case and calls the board's entries by name.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/module_host.h"

inline std::string RecordingVendor() {
  return TModuleHost::BoardFolder("test-recording") + "\\recording_vendor.dll";
}
inline bool RecordingVendorLoaded() { return GetModuleHandleA("recording_vendor.dll") != nullptr; }

class TForwardedBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearVariables();
    SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  }
  void TearDown() override {
    if (Board != nullptr) FreeLibrary(Board);
    ClearVariables();
  }
  static void ClearVariables() {
    static constexpr const char* Variables[] = {
        "VIRTUAL_K8055_FORWARD", "VIRTUAL_K8055_SLOW_CALLS", "VIRTUAL_K8055_RAISE",      "VIRTUAL_K8055_CLOSE_ALL",
        "VIRTUAL_K8055_LEAVE_PENDING", "VIRTUAL_K8055_WINDOW", "VIRTUAL_K8055_BOARDS", "VIRTUAL_K8055_HOLD",
        "VIRTUAL_K8055_LAST_ERROR"};
    for (const char* name : Variables) SetEnvironmentVariableA(name, nullptr);
  }
  void Load() {
    Board = LoadLibraryA((TModuleHost::BoardFolder("full") + "\\k8055d.dll").c_str());
    ASSERT_NE(Board, nullptr);
  }
  template <typename TResult = int32_t, typename... TArgs>
  TResult Call(const char* name, TArgs... args) {
    using TEntry = TResult(__stdcall*)(TArgs...);
    return reinterpret_cast<TEntry>(reinterpret_cast<void (*)()>(GetProcAddress(Board, name)))(args...);
  }
  TBoardTrace Trace;
  HMODULE Board = nullptr;
};
