// The real DLL under faults of its vendor library: each of the 21 variants
// of the virtual board lacking one entry point, boards that never answer,
// no library on the search path. A whole host session runs under each and
// reaches the board only where it can work.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"

namespace {

using Calls = std::vector<std::string>;

// Two instances each try cards 1 ... 4 with output on all ten channels and
// a save, then destroy and finish. Returns how many instances were ready.
int RunSession(TModuleHost& host) {
  std::array<uint16_t, 1024> samples;
  samples.fill(4000);
  TOutputInstance* instances[] = {host.Api.create(1), host.Api.create(2)};
  int ready = 0;
  for (TOutputInstance* instance : instances) {
    ready += reinterpret_cast<const uint8_t*>(instance)[8];
    for (const char* card : {"1", "2", "3", "4"}) {
      host.Api.open(instance, card);
      for (int32_t channel = 1; channel <= 10; ++channel) host.Api.action(instance, channel, 0, 0, 0, samples.data());
    }
    char text[16];
    host.Api.save(instance, text, sizeof(text) - 1);
  }
  for (TOutputInstance* instance : instances) host.Api.destroy(instance);
  host.Finish();
  return ready;
}

// The board folders built without one entry point each.
std::vector<std::string> IncompleteBoards() {
  std::vector<std::string> folders;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((TModuleHost::BinFolder() + "\\boards\\without-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return folders;
  do folders.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return folders;
}

TEST(FaultInjection, LibraryLackingAnyOneEntryPointIsNeverCalled) {
  const std::vector<std::string> folders = IncompleteBoards();
  EXPECT_EQ(folders.size(), 21u);
  for (const std::string& folder : folders) {
    TModuleHost host(folder.c_str());
    EXPECT_EQ(RunSession(host), 0) << folder;
    EXPECT_EQ(host.Calls(), Calls{}) << folder;
    EXPECT_FALSE(TModuleHost::VendorLibraryLoaded()) << folder;
  }
}

TEST(FaultInjection, BoardsThatNeverAnswerAreTriedOnceEach) {
  TModuleHost host("full");
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "none");
  EXPECT_EQ(RunSession(host), 2);
  EXPECT_EQ(host.Calls(), (Calls{"OpenDevice 0", "OpenDevice 1", "OpenDevice 2", "OpenDevice 3"}));
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
}

TEST(FaultInjection, AbsentLibraryIsNeverCalled) {
  TModuleHost host(nullptr);
  EXPECT_EQ(RunSession(host), 0);
  EXPECT_EQ(host.Calls(), Calls{});
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
}

}  // namespace
