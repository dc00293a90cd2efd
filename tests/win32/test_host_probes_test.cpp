// The test host's own looks for k8055d.dll and at the files that info and
// --version name: no system error box at any probe (a folder on an empty
// removable drive would raise one), and the thread's error mode exactly as
// before afterwards. The test host's code runs in this program, whose
// imports of the probing functions are recorded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_host/diagnosis/file_version_win32.h"
#include "test_host/diagnosis/library_file_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"
#include "tests/win32/import_patch.h"

namespace {

constexpr DWORD QuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
constexpr DWORD HostsMode = SEM_NOGPFAULTERRORBOX;

std::vector<DWORD> ThreadModes;  // at each probe

decltype(&GetFileAttributesW) RealGetFileAttributesW;
DWORD WINAPI RecordingGetFileAttributesW(const wchar_t* path) {
  ThreadModes.push_back(GetThreadErrorMode());
  return RealGetFileAttributesW(path);
}

decltype(&CreateFileW) RealCreateFileW;
HANDLE WINAPI RecordingCreateFileW(const wchar_t* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security,
                                   DWORD disposition, DWORD flags, HANDLE templateFile) {
  ThreadModes.push_back(GetThreadErrorMode());
  return RealCreateFileW(path, access, share, security, disposition, flags, templateFile);
}

std::string ModulePath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "out_tarnwell.dll";
}

// Each look at files in turn: the search, the check of a file's kind, the
// reading of its version.
TEST(TestHostProbes, EveryProbeRunsWithoutErrorBoxesAndTheThreadsModeIsBack) {
  const DWORD original = GetThreadErrorMode();
  const std::string module = ModulePath();
  const std::vector<void (*)(const std::string&)> looks = {
      [](const std::string& path) { FindVendorLibrary(path); },
      [](const std::string& path) { EXPECT_EQ(WhyNotA32BitDll(path), ""); },
      [](const std::string& path) { EXPECT_TRUE(ReadFileVersion(path).HasResource); },
  };
  int look = 0;
  for (auto lookAtFiles : looks) {
    ThreadModes.clear();
    ASSERT_TRUE(SetThreadErrorMode(HostsMode, nullptr));
    DWORD after = 0;
    {
      TImportPatch attributes(GetModuleHandleA(nullptr), "kernel32.dll", "GetFileAttributesW",
                              reinterpret_cast<void*>(RecordingGetFileAttributesW));
      TImportPatch opening(GetModuleHandleA(nullptr), "kernel32.dll", "CreateFileW",
                           reinterpret_cast<void*>(RecordingCreateFileW));
      RealGetFileAttributesW = reinterpret_cast<decltype(RealGetFileAttributesW)>(attributes.Original());
      RealCreateFileW = reinterpret_cast<decltype(RealCreateFileW)>(opening.Original());
      ASSERT_TRUE(attributes.Patched() && opening.Patched());
      lookAtFiles(module);
      after = GetThreadErrorMode();
    }
    SetThreadErrorMode(original, nullptr);
    EXPECT_FALSE(ThreadModes.empty()) << "look " << look;
    for (const DWORD mode : ThreadModes) EXPECT_EQ(mode, HostsMode | QuietErrorMode) << "look " << look;
    EXPECT_EQ(after, HostsMode) << "look " << look;
    ++look;
  }
}

}  // namespace
