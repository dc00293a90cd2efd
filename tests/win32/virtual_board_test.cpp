// The virtual board as the module and other programs rely on it: the
// vendor library's 25 undecorated stdcall entry points, boards that answer
// as configured and as the vendor's library answers, a call record.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "k8055d/vendor_entries.h"
#include "tests/win32/module_host.h"
#include "tests/win32/stack_check.h"

namespace {

struct TEntry {
  const char* Name;
  int32_t Arguments;
};

#define BOARD_ENTRY(name, result, params, bytes, use) {#name, (bytes) / 4},
const TEntry Entries[] = {LIBRARY_ENTRY_LIST(BOARD_ENTRY)};
#undef BOARD_ENTRY

class VirtualBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    Library = LoadLibraryA((TModuleHost::BoardFolder("full") + "\\k8055d.dll").c_str());
    ASSERT_NE(Library, nullptr);
  }
  void TearDown() override {
    FreeLibrary(Library);
    SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr);
  }
  int32_t Call(const char* name, std::vector<uint32_t> args = {}) {
    uint32_t result = 0;
    const void* entry = reinterpret_cast<const void*>(GetProcAddress(Library, name));
    EXPECT_EQ(ArgumentBytesRemovedByCallee(entry, args.data(), static_cast<int32_t>(args.size()), &result),
              static_cast<int32_t>(4 * args.size()))
        << name;
    return static_cast<int32_t>(result);
  }
  TBoardTrace Trace;
  HMODULE Library = nullptr;
};

TEST_F(VirtualBoard, EveryEntryPointIsStdcallAndRecorded) {
  struct {
    int32_t Values[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    int32_t Beyond = 7;
  } read;
  int32_t* data = read.Values;
  for (const TEntry& entry : Entries) {
    ASSERT_NE(GetProcAddress(Library, entry.Name), nullptr) << entry.Name;
    std::vector<uint32_t> args(entry.Arguments, 1);
    if (std::string(entry.Name) == "ReadAllAnalog") args = {reinterpret_cast<uint32_t>(&data[0]), reinterpret_cast<uint32_t>(&data[1])};
    if (std::string(entry.Name) == "ReadAll") args = {reinterpret_cast<uint32_t>(&data[0])};
    if (std::string(entry.Name) == "OpenDevice") args = {0};
    Call(entry.Name, args);
  }
  for (const int32_t value : read.Values) EXPECT_EQ(value, 0) << "nothing is connected to the inputs";
  EXPECT_EQ(read.Beyond, 7) << "ReadAll fills eight values, no more";
  const std::vector<std::string> calls = Trace.Calls();
  ASSERT_EQ(calls.size(), 25u);
  EXPECT_EQ(calls[0], "OpenDevice 0");
  EXPECT_EQ(calls[5], "OutputAnalogChannel 1 1");
  EXPECT_EQ(calls[20], "SetCounterDebounceTime 1 1");
  EXPECT_EQ(calls[24], "ReadAll");
}

// The answers of the four entry points the module does not use, as the
// vendor's library gives them.
TEST_F(VirtualBoard, TheOtherEntryPointsAnswerAsTheVendorsLibrary) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,2");
  EXPECT_EQ(Call("Version"), 0x04000000);
  EXPECT_EQ(Call("Connected"), 0) << "no board open";
  EXPECT_EQ(Call("SearchDevices"), 0b0101) << "the boards found, opened";
  EXPECT_EQ(Call("SetCurrentDevice", {2}), 2);
  EXPECT_EQ(Call("Connected"), 1);
  Call("CloseDevice");
  EXPECT_EQ(Call("Connected"), 0);
  EXPECT_EQ(Call("SetCurrentDevice", {0}), -1) << "CloseDevice closed every board";
}

TEST_F(VirtualBoard, OnlyConfiguredAddressesAnswer) {
  EXPECT_EQ(Call("OpenDevice", {0}), 0);  // default: one board at address 0
  EXPECT_EQ(Call("OpenDevice", {1}), -1);
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "1,3");  // read at every call
  EXPECT_EQ(Call("OpenDevice", {1}), 1);
  EXPECT_EQ(Call("OpenDevice", {2}), -1);
  EXPECT_EQ(Call("OpenDevice", {3}), 3);
  EXPECT_EQ(Call("OpenDevice", {4}), -1);
  EXPECT_EQ(Call("OpenDevice", {static_cast<uint32_t>(-1)}), -1);
  EXPECT_EQ(Call("SetCurrentDevice", {2}), -1);
  EXPECT_EQ(Call("SetCurrentDevice", {3}), 3);
}

TEST(VirtualBoardVariants, EachLacksExactlyOneOfTheModulesNames) {
  for (const TEntry& missing : std::span(Entries, VendorEntryCount)) {
    HMODULE library =
        LoadLibraryA((TModuleHost::BoardFolder(std::string("without-") + missing.Name) + "\\k8055d.dll").c_str());
    ASSERT_NE(library, nullptr) << missing.Name;
    for (const TEntry& entry : Entries)
      EXPECT_EQ(GetProcAddress(library, entry.Name) == nullptr, &entry == &missing) << entry.Name;
    FreeLibrary(library);
  }
}

}  // namespace
