// k8055d.dll installed in the Windows system folders, as old installation
// notes for these boards say: found in the system folder for 32-bit
// libraries (SysWOW64 in a 64-bit prefix, System32 in a 32-bit one) and in
// the 16-bit system folder (the Windows folder's System), as a bare-name
// load finds it. These tests put a library into the prefix's Windows
// folders, so they run alone (RUN_SERIAL): no other test may find it there.
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/module_host.h"

namespace {

std::string WindowsFolder() {
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder, length);
}

// Named from the Windows folder, not asked of the system, so that a wrong
// answer of the module's is not also the test's.
std::string System32BitFolder() {
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  return WindowsFolder() + (wow64 ? "\\SysWOW64" : "\\System32");
}

// The virtual board copied into a folder for the test's span; a copy left
// by an earlier run that ended early is replaced.
class TInstalledBoard {
 public:
  explicit TInstalledBoard(const std::string& folder) : Path_(folder + "\\k8055d.dll") {
    EXPECT_TRUE(CopyFileA((TModuleHost::BoardFolder("full") + "\\k8055d.dll").c_str(), Path_.c_str(), FALSE))
        << Path_;
  }
  ~TInstalledBoard() { DeleteFileA(Path_.c_str()); }
  const std::string& Path() const { return Path_; }

 private:
  std::string Path_;
};

std::string LoadedVendorPath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA("k8055d.dll"), path, MAX_PATH);
  return path;
}

void ExpectFoundIn(const std::string& folder) {
  TInstalledBoard installed(folder);
  TModuleHost host(nullptr);
  TOutputInstance* instance = host.Api.create(1);
  EXPECT_EQ(instance->Ready, 1) << folder;
  EXPECT_EQ(lstrcmpiA(LoadedVendorPath().c_str(), installed.Path().c_str()), 0) << LoadedVendorPath();
  host.Api.destroy(instance);
}

TEST(SystemFolders, TheSystemFolderFor32BitLibraries) { ExpectFoundIn(System32BitFolder()); }

TEST(SystemFolders, The16BitSystemFolder) { ExpectFoundIn(WindowsFolder() + "\\System"); }

}  // namespace
