// The DLL as a host sees it: exports by name and ordinal, the cdecl stack
// discipline, init, and the raw bytes of the record that create returns.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/win32/module_host.h"
#include "tests/win32/stack_check.h"

namespace {

const char ExpectedChannels[] =
    "Digital output 1 status|Digital output 2 status|Digital output 3 status|Digital output 4 status|"
    "Digital output 5 status|Digital output 6 status|Digital output 7 status|Digital output 8 status|"
    "Analog output 1 value|Analog output 2 value|";

template <typename T>
T At(const void* record, int offset) {
  T value;
  std::memcpy(&value, static_cast<const char*>(record) + offset, sizeof(T));
  return value;
}

TEST(Exports, OrdinalsOneToNineInTheirOrder) {
  TModuleHost host("full");
  const char* names[] = {"save", "open", "hide", "show", "action", "destroy", "create", "finish", "init"};
  for (int ordinal = 1; ordinal <= 9; ++ordinal) {
    FARPROC byOrdinal = GetProcAddress(host.Module, MAKEINTRESOURCEA(ordinal));
    EXPECT_NE(byOrdinal, nullptr) << ordinal;
    EXPECT_EQ(byOrdinal, GetProcAddress(host.Module, names[ordinal - 1])) << names[ordinal - 1];
  }
  EXPECT_EQ(GetProcAddress(host.Module, MAKEINTRESOURCEA(10)), nullptr);
}

TEST(Exports, CallerRemovesTheArguments) {
  TModuleHost host("full");
  char buffer[64];
  uint32_t result = 0;
  uint32_t initArgs[] = {reinterpret_cast<uint32_t>(buffer), 63};
  EXPECT_EQ(ArgumentBytesRemovedByCallee(reinterpret_cast<const void*>(host.Api.init), initArgs, 2, &result), 0);
  EXPECT_EQ(result, 25u);

  uint32_t createArgs[] = {77};
  EXPECT_EQ(ArgumentBytesRemovedByCallee(reinterpret_cast<const void*>(host.Api.create), createArgs, 1, &result), 0);
  const uint32_t instance = result;
  ASSERT_NE(instance, 0u);

  uint16_t samples[1024] = {};
  uint32_t openArgs[] = {instance, reinterpret_cast<uint32_t>("1")};
  uint32_t actionArgs[] = {instance, 3, 0, 0, 0, reinterpret_cast<uint32_t>(samples)};
  uint32_t saveArgs[] = {instance, reinterpret_cast<uint32_t>(buffer), 63};
  uint32_t hideArgs[] = {instance};
  EXPECT_EQ(ArgumentBytesRemovedByCallee(reinterpret_cast<const void*>(host.Api.open), openArgs, 2, &result), 0);
  EXPECT_EQ(ArgumentBytesRemovedByCallee(reinterpret_cast<const void*>(host.Api.action), actionArgs, 6, &result), 0);
  EXPECT_EQ(result & 0xFF, 0u);
  EXPECT_EQ(ArgumentBytesRemovedByCallee(reinterpret_cast<const void*>(host.Api.save), saveArgs, 3, &result), 0);
  EXPECT_EQ(ArgumentBytesRemovedByCallee(reinterpret_cast<const void*>(host.Api.hide), hideArgs, 1, &result), 0);
  EXPECT_EQ(ArgumentBytesRemovedByCallee(reinterpret_cast<const void*>(host.Api.destroy), hideArgs, 1, &result), 0);
  EXPECT_EQ(ArgumentBytesRemovedByCallee(reinterpret_cast<const void*>(host.Api.finish), nullptr, 0, &result), 0);
  host.Finish();
}

TEST(Init, WritesTheInformationTextUpToSize) {
  TModuleHost host(nullptr);
  char buffer[40];
  std::memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(host.Api.init(buffer, 25), 25);
  EXPECT_STREQ(buffer, "OVelleman K8055D|Hardware");
  EXPECT_EQ(host.Api.init(buffer, 39), 25);
  std::memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(host.Api.init(buffer, 1), 1);
  EXPECT_EQ(std::string(buffer, 3), std::string("O\0x", 3));
  EXPECT_EQ(host.Api.init(buffer, 0), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(host.Api.init(nullptr, 100), 0);
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());  // init loads nothing
}

// Every field of the record, read as raw bytes at its offset.
void ExpectRecord(const void* record, int32_t hostTag, const char* caption, uint8_t ready) {
  EXPECT_EQ(At<int32_t>(record, 0), hostTag);
  EXPECT_STREQ(At<const char*>(record, 4), caption);
  EXPECT_EQ(At<uint8_t>(record, 8), ready);
  for (int offset = 12; offset <= 28; offset += 4) EXPECT_EQ(At<int32_t>(record, offset), -1) << offset;
  EXPECT_EQ(At<int32_t>(record, 32), 10);
  EXPECT_EQ(At<int32_t>(record, 36), 0);
  const char* channels = At<const char*>(record, 40);
  EXPECT_STREQ(channels, ExpectedChannels);
  EXPECT_EQ(std::strlen(channels), 236u);
  EXPECT_FALSE(IsBadWritePtr(const_cast<char*>(channels), 65535));
  EXPECT_STREQ(At<const char*>(record, 44), "");
  const void* details = At<const void*>(record, 48);
  ASSERT_NE(details, nullptr);
  for (int offset = 0; offset < 16; offset += 4) EXPECT_EQ(At<int32_t>(details, offset), 0) << offset;
  EXPECT_EQ(At<int32_t>(record, 56), 0);
}

TEST(Create, WithTheVendorLibraryTheInstanceIsReady) {
  TModuleHost host("full");
  TOutputInstance* first = host.Api.create(0x12345678);
  TOutputInstance* second = host.Api.create(-5);
  ExpectRecord(first, 0x12345678, "Velleman K8055D", 1);
  ExpectRecord(second, -5, "Velleman K8055D", 1);
  EXPECT_EQ(At<const char*>(first, 4), At<const char*>(second, 4));  // one constant caption
  EXPECT_NE(At<const char*>(first, 40), At<const char*>(second, 40));
  EXPECT_TRUE(TModuleHost::VendorLibraryLoaded());
  host.Api.destroy(first);
  host.Api.destroy(second);
  EXPECT_TRUE(host.Calls().empty());  // create and destroy never call the board
}

TEST(Create, WithoutTheVendorLibraryTheInstanceCannotWork) {
  TModuleHost host(nullptr);
  TOutputInstance* instance = host.Api.create(1);
  ExpectRecord(instance, 1, "Cannot load k8055d.dll", 0);
  host.Api.destroy(instance);
}

TEST(Create, ALibraryLackingOneEntryPointIsUnusableButStaysLoaded) {
  TModuleHost host("without-ReadCounter");
  TOutputInstance* instance = host.Api.create(1);
  ExpectRecord(instance, 1, "Cannot load k8055d.dll", 0);
  EXPECT_TRUE(TModuleHost::VendorLibraryLoaded());
  host.Api.destroy(instance);
  EXPECT_TRUE(TModuleHost::VendorLibraryLoaded());
  host.Finish();
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
  EXPECT_TRUE(host.Calls().empty());
}

TEST(Create, TheFirstResultStandsForTheProcess) {
  TModuleHost host(nullptr);
  TOutputInstance* first = host.Api.create(1);
  SetDllDirectoryA(TModuleHost::BoardFolder("full").c_str());  // too late
  TOutputInstance* second = host.Api.create(2);
  EXPECT_STREQ(At<const char*>(second, 4), "Cannot load k8055d.dll");
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
  host.Api.destroy(first);
  host.Api.destroy(second);
}

TEST(Destroy, NullIsIgnored) {
  TModuleHost host("full");
  host.Api.destroy(nullptr);
}

TEST(Load, LoadingAndUnloadingDoesNothing) {
  TModuleHost host("full");
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
  host.Finish();  // finish without create: nothing called, nothing freed
  EXPECT_TRUE(host.Calls().empty());
}

}  // namespace
