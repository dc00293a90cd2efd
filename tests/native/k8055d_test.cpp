#include "k8055d/k8055d.h"

#include <gtest/gtest.h>

#include "tests/native/fake_vendor.h"

namespace {

using fake_vendor::State;

class Binding : public ::testing::Test {
 protected:
  void SetUp() override { fake_vendor::Reset(); }
};

TEST_F(Binding, CompleteLibraryIsUsable) {
  EXPECT_TRUE(LoadDriver());
  EXPECT_NE(DriverHandle, nullptr);
  for (TLibraryProc entry : VendorTable) EXPECT_NE(entry, nullptr);
  UnloadDriver();
  EXPECT_EQ(State.Frees, 1);
  EXPECT_TRUE(State.Calls.empty());  // binding calls nothing in the library
}

TEST_F(Binding, AbsentLibraryLeavesEverythingEmpty) {
  State.Present = false;
  EXPECT_FALSE(LoadDriver());
  EXPECT_EQ(DriverHandle, nullptr);
  for (TLibraryProc entry : VendorTable) EXPECT_EQ(entry, nullptr);
  UnloadDriver();
  EXPECT_EQ(State.Frees, 0);
}

// Any one missing name makes the library unusable, even one never called;
// the library stays loaded until it is freed.
TEST_F(Binding, EachMissingNameMakesTheLibraryUnusable) {
  for (const char* name : VendorEntryNames) {
    fake_vendor::Reset();
    State.Missing = name;
    EXPECT_FALSE(LoadDriver()) << name;
    EXPECT_NE(DriverHandle, nullptr) << name;
    EXPECT_EQ(State.Frees, 0);
    UnloadDriver();
    EXPECT_EQ(State.Frees, 1) << name;
  }
}

TEST_F(Binding, UnloadFreesOnceAndLeavesTheDriverUnusable) {
  DriverReady = LoadDriver();
  UnloadDriver();
  UnloadDriver();
  EXPECT_EQ(State.Frees, 1);
  EXPECT_FALSE(DriverReady);
}

TEST_F(Binding, ReloadClearsEntriesFromAnEarlierLoad) {
  EXPECT_TRUE(LoadDriver());
  UnloadDriver();
  State.Present = false;
  EXPECT_FALSE(LoadDriver());
  for (TLibraryProc entry : VendorTable) EXPECT_EQ(entry, nullptr);
}

}  // namespace
