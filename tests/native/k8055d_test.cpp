#include "k8055d/k8055d.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_vendor.h"

namespace {

using fake_vendor::State;

class Binding : public ::testing::Test {
 protected:
  void SetUp() override { fake_vendor::Reset(); }
};

TEST_F(Binding, CompleteLibraryIsUsable) {
  EXPECT_TRUE(LoadDriver());
  EXPECT_NE(DriverBinding().Handle, nullptr);
  for (TLibraryProc entry : DriverBinding().Table) EXPECT_NE(entry, nullptr);
  UnloadDriver();
  EXPECT_EQ(State.Frees, 1);
  EXPECT_TRUE(State.Calls.empty());  // binding calls nothing in the library
}

TEST_F(Binding, AbsentLibraryLeavesEverythingEmpty) {
  State.Present = false;
  EXPECT_FALSE(LoadDriver());
  EXPECT_EQ(DriverBinding().Handle, nullptr);
  for (TLibraryProc entry : DriverBinding().Table) EXPECT_EQ(entry, nullptr);
  UnloadDriver();
  EXPECT_EQ(State.Frees, 0);
}

// Any one missing name makes the library unusable, even one never called;
// the library stays loaded until it is freed.
TEST_F(Binding, EachMissingNameMakesTheLibraryUnusable) {
  for (const char* name : ModuleEntryNames) {
    fake_vendor::Reset();
    State.Missing = name;
    EXPECT_FALSE(LoadDriver()) << name;
    EXPECT_NE(DriverBinding().Handle, nullptr) << name;
    EXPECT_EQ(State.Frees, 0);
    UnloadDriver();
    EXPECT_EQ(State.Frees, 1) << name;
  }
}

TEST_F(Binding, UnloadFreesOnceAndLeavesTheDriverUnusable) {
  LoadDriverOnce();
  UnloadDriver();
  UnloadDriver();
  EXPECT_EQ(State.Frees, 1);
  EXPECT_FALSE(DriverReady());
}

// The library is taken from the first search folder that holds it, by that
// folder; later folders are not looked into.
TEST_F(Binding, TheFirstFolderHoldingTheLibraryIsTheOne) {
  State.LibraryFolder = u"C:\\Windows";
  EXPECT_TRUE(LoadDriver());
  EXPECT_EQ(State.Searched, (std::vector<std::u16string>{u"C:\\Host\\", u"C:\\Host\\Plugins\\",
                                                         u"C:\\Windows\\SysWOW64", u"C:\\Windows\\System",
                                                         u"C:\\Windows"}));
  EXPECT_EQ(State.PlacesHeld, 0);
}

// Not found anywhere: the relative PATH entry (the current directory's
// "tools") is not among the folders looked into.
TEST_F(Binding, NotFoundInAnySearchFolder) {
  State.LibraryFolder = u"tools";
  EXPECT_FALSE(LoadDriver());
  EXPECT_EQ(DriverBinding().Handle, nullptr);
  EXPECT_EQ(State.Searched.back(), u"C:\\Tools");
  EXPECT_EQ(State.PlacesHeld, 0);
}

// A library found that will not load ends the search: none from a later
// folder is taken in its place.
TEST_F(Binding, ALibraryFoundThatWillNotLoadEndsTheSearch) {
  State.Loadable = false;
  EXPECT_FALSE(LoadDriver());
  EXPECT_EQ(State.Searched.size(), 1u);
  EXPECT_EQ(DriverBinding().Handle, nullptr);
}

// The host uses the board itself: the module takes a reference of its own
// on the loaded library and searches nowhere.
TEST_F(Binding, ALibraryTheHostHasLoadedIsTheOneUsed) {
  State.AlreadyLoaded = true;
  State.Present = false;
  EXPECT_TRUE(LoadDriver());
  EXPECT_TRUE(State.Searched.empty());
  UnloadDriver();
  EXPECT_EQ(State.Loads, 1);
  EXPECT_EQ(State.Frees, 1) << "only the module's own reference is dropped";
}

TEST_F(Binding, SearchPlacesThatCannotBeHadLoadNothing) {
  State.PlacesKnown = false;
  EXPECT_FALSE(LoadDriver());
  EXPECT_TRUE(State.Searched.empty());
  EXPECT_EQ(DriverBinding().Handle, nullptr);
}

// A probe of a folder on an empty removable drive must not raise the
// system's box: the whole search, found or not, runs quietly.
TEST_F(Binding, EveryProbeOfTheSearchRunsQuietly) {
  State.LibraryFolder = u"C:\\Tools";
  EXPECT_TRUE(LoadDriver());
  State.Present = false;
  EXPECT_FALSE(LoadDriver());
  EXPECT_GT(State.Searched.size(), 6u);
  EXPECT_EQ(State.LoudProbes, 0);
  EXPECT_FALSE(State.Quiet) << "the quiet mode ends with the search";
}

TEST_F(Binding, ReloadClearsEntriesFromAnEarlierLoad) {
  EXPECT_TRUE(LoadDriver());
  UnloadDriver();
  State.Present = false;
  EXPECT_FALSE(LoadDriver());
  for (TLibraryProc entry : DriverBinding().Table) EXPECT_EQ(entry, nullptr);
}

}  // namespace
