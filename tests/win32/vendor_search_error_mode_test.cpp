// The error mode at every probe of the module's search for k8055d.dll. On
// Windows a folder on an empty removable drive (a card reader, a floppy
// letter left on PATH) raises the system's "There is no disk in the drive"
// box unless the thread's mode forbids it, and that box stops the host's
// thread in create. Wine shows no such box, so the mode is recorded where
// the module asks about a file.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/win32/import_patch.h"
#include "tests/win32/module_host.h"

namespace {

constexpr DWORD QuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

// The thread's mode and the process's at each probe.
struct TProbe {
  DWORD Thread;
  UINT Process;
};
std::vector<TProbe> Probes;

decltype(&GetFileAttributesW) RealGetFileAttributesW;
DWORD WINAPI RecordingGetFileAttributesW(const wchar_t* path) {
  Probes.push_back({GetThreadErrorMode(), GetErrorMode()});
  return RealGetFileAttributesW(path);
}

// The module's probes recorded while the object lives.
class TRecordedProbes {
 public:
  explicit TRecordedProbes(HMODULE module)
      : Patch_(module, "kernel32.dll", "GetFileAttributesW", reinterpret_cast<void*>(RecordingGetFileAttributesW)) {
    Probes.clear();
    RealGetFileAttributesW = reinterpret_cast<decltype(RealGetFileAttributesW)>(Patch_.Original());
    EXPECT_TRUE(Patch_.Patched()) << "the search probes with GetFileAttributesW";
  }

 private:
  TImportPatch Patch_;
};

// No library anywhere: every folder of the search is probed. The host's
// own mode, other bits included, is kept during the search and is exactly
// the same afterwards.
TEST(VendorSearchErrorMode, EveryProbeRunsWithoutErrorBoxesAndTheThreadsModeIsBack) {
  const DWORD original = GetThreadErrorMode();
  for (const DWORD hosts : {DWORD(0), DWORD(SEM_NOGPFAULTERRORBOX), DWORD(SEM_FAILCRITICALERRORS),
                            DWORD(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX)}) {
    TModuleHost host(nullptr);
    ASSERT_TRUE(SetThreadErrorMode(hosts, nullptr));
    const UINT process = GetErrorMode();
    DWORD after = 0;
    {
      TRecordedProbes recorded(host.Module);
      host.Api.destroy(host.Api.create(1));
      after = GetThreadErrorMode();
    }
    SetThreadErrorMode(original, nullptr);
    EXPECT_GE(Probes.size(), 6u) << "the program's, module's, system, 16-bit system and Windows folders, PATH";
    for (const TProbe& probe : Probes) EXPECT_EQ(probe.Thread, hosts | QuietErrorMode) << "host's mode " << hosts;
    EXPECT_EQ(after, hosts) << "the thread's mode afterwards";
    EXPECT_EQ(GetErrorMode(), process) << "the process's mode untouched";
  }
}

// The module's lookups with SetThreadErrorMode taken for absent, as on
// Windows before 7, where the mode is the process's.
FARPROC(WINAPI* RealGetProcAddress)(HMODULE, const char*);
FARPROC WINAPI GetProcAddressWithoutSetThreadErrorMode(HMODULE module, const char* name) {
  if (HIWORD(name) != 0 && std::strcmp(name, "SetThreadErrorMode") == 0) return nullptr;
  return RealGetProcAddress(module, name);
}

TEST(VendorSearchErrorMode, BeforeWindows7TheProcesssModeIsQuietDuringTheSearchAndBackAfter) {
  const UINT original = SetErrorMode(SEM_NOGPFAULTERRORBOX);
  TModuleHost host(nullptr);
  UINT after = 0;
  {
    TImportPatch olderWindows(host.Module, "kernel32.dll", "GetProcAddress",
                              reinterpret_cast<void*>(GetProcAddressWithoutSetThreadErrorMode));
    RealGetProcAddress = reinterpret_cast<decltype(RealGetProcAddress)>(olderWindows.Original());
    ASSERT_TRUE(olderWindows.Patched());
    TRecordedProbes recorded(host.Module);
    host.Api.destroy(host.Api.create(1));
    after = GetErrorMode();
  }
  SetErrorMode(original);
  EXPECT_GE(Probes.size(), 6u);
  for (const TProbe& probe : Probes) EXPECT_EQ(probe.Process, SEM_NOGPFAULTERRORBOX | QuietErrorMode);
  EXPECT_EQ(after, UINT(SEM_NOGPFAULTERRORBOX));
}

}  // namespace
