// open, save and finish of the real DLL against the virtual board.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/module_host.h"

namespace {

using Calls = std::vector<std::string>;

std::string Saved(TModuleHost& host, TOutputInstance* instance) {
  char buffer[16];
  host.Api.save(instance, buffer, sizeof(buffer) - 1);
  return buffer;
}

TEST(Finish, WithoutCreateCallsAndFreesNothing) {
  TModuleHost host("full");
  HMODULE board = LoadLibraryA((TModuleHost::BoardFolder("full") + "\\k8055d.dll").c_str());
  host.Finish();
  EXPECT_TRUE(host.Calls().empty());
  EXPECT_TRUE(TModuleHost::VendorLibraryLoaded());  // our own reference is untouched
  FreeLibrary(board);
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
}

TEST(Finish, ClosesOpenBoardsInAddressOrderAndUnloadsTheLibrary) {
  TModuleHost host("full");
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,2");
  TOutputInstance* first = host.Api.create(1);
  TOutputInstance* second = host.Api.create(2);
  host.Api.open(second, "3");
  host.Api.open(first, "1");
  host.Api.open(first, "2");  // address 1 answers not
  host.Api.destroy(first);    // destroy leaves the boards open
  host.Api.destroy(second);
  host.Finish();
  EXPECT_EQ(host.Calls(), (Calls{"OpenDevice 2", "OpenDevice 0", "OpenDevice 1", "SetCurrentDevice 0",
                                 "CloseDevice", "SetCurrentDevice 2", "CloseDevice"}));
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
}

TEST(Finish, LaterCallsReachNothing) {
  TModuleHost host("full");
  TOutputInstance* instance = host.Api.create(1);
  host.Api.open(instance, "1");
  host.Finish();
  const size_t callsAtFinish = host.Calls().size();
  uint16_t samples[1024] = {};
  host.Api.action(instance, 1, 0, 0, 0, samples);
  host.Api.open(instance, "2");
  host.Api.finish();
  EXPECT_EQ(host.Calls().size(), callsAtFinish);
  EXPECT_EQ(Saved(host, instance), "2");
  host.Api.destroy(instance);
}

TEST(Settings, SavedTextOpensTheSameBoardInAFreshInstance) {
  TModuleHost host("full");
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "1");
  TOutputInstance* first = host.Api.create(1);
  host.Api.open(first, "2,extra,fields");
  const std::string text = Saved(host, first);
  EXPECT_EQ(text, "2");
  host.Api.destroy(first);

  TOutputInstance* fresh = host.Api.create(2);
  host.Api.open(fresh, text.c_str());
  EXPECT_EQ(Saved(host, fresh), "2");
  uint16_t samples[1024] = {};
  host.Api.action(fresh, 4, 0, 0, 0, samples);  // the board is open for it
  host.Api.destroy(fresh);
  EXPECT_EQ(host.Calls(), (Calls{"OpenDevice 1", "SetCurrentDevice 1", "ClearDigitalChannel 4"}));
}

TEST(Settings, BadTextAndNullPointersAreHarmless) {
  TModuleHost host("full");
  TOutputInstance* instance = host.Api.create(1);
  for (const char* text : {"", "abc", "99999999999", "+1", static_cast<const char*>(nullptr)}) {
    host.Api.open(instance, text);
    EXPECT_EQ(Saved(host, instance), "0");
  }
  host.Api.open(instance, "-7");
  EXPECT_EQ(Saved(host, instance), "-7");
  char buffer[4] = "xy";
  EXPECT_EQ(host.Api.save(instance, nullptr, 10), 0);
  EXPECT_EQ(host.Api.save(nullptr, buffer, 3), 0);
  EXPECT_STREQ(buffer, "xy");
  EXPECT_EQ(host.Api.save(instance, buffer, 0), 0);
  EXPECT_EQ(buffer[0], '\0');
  host.Api.open(nullptr, "1");
  host.Api.destroy(instance);
  EXPECT_TRUE(host.Calls().empty());
}

}  // namespace
