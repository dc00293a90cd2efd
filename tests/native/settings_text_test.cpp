#include "module/settings_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "tests/fakes/fake_vendor.h"
#include "module/card_slots.h"

namespace {

using fake_vendor::State;
using Calls = std::vector<std::string>;

TEST(CardNumberFromText, AcceptsOnlyStrictDecimal) {
  const struct {
    const char* Text;
    int32_t Card;
  } cases[] = {
      {"0", 0},           {"3", 3},           {"007", 7},          {"-1", -1},
      {"-0", 0},          {"2147483647", INT32_MAX},               {"-2147483648", INT32_MIN},
      {"2147483648", 0},  {"-2147483649", 0}, {"99999999999999999999", 0},
      {"00000000000000000000004", 4},          {"", 0},             {"-", 0},
      {"abc", 0},         {"3a", 0},          {" 3", 0},           {"3 ", 0},
      {"+3", 0},          {"0x10", 0},        {"--1", 0},          {"1-", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CardNumberFromText(c.Text), c.Card) << '"' << c.Text << '"';
}

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_vendor::ResetAndLoad();
    Instance = CreateInstance(0);
  }
  void TearDown() override { DestroyInstance(Instance); }
  std::string Saved() {
    char buffer[32];
    const int32_t length = SaveSettings(Instance, buffer, sizeof(buffer) - 1);
    EXPECT_EQ(length, static_cast<int32_t>(std::strlen(buffer)));
    return buffer;
  }
  TOutputInstance* Instance = nullptr;
};

TEST_F(Settings, OnlyTheFirstFieldCounts) {
  State.Answering = {2};
  OpenSettings(Instance, "3,anything, at all");
  EXPECT_EQ(Instance->Details->Card, 3);
  EXPECT_EQ(State.Calls, (Calls{"OpenDevice 2"}));
  EXPECT_EQ(CardSlot(2), 2);
  EXPECT_EQ(Saved(), "3");
}

TEST_F(Settings, UnreadableTextGivesNoCard) {
  for (const char* text : {"", "letters", "4294967296", ",3", static_cast<const char*>(nullptr)}) {
    Instance->Details->Card = 2;
    OpenSettings(Instance, text);
    EXPECT_EQ(Instance->Details->Card, 0) << (text ? text : "(null)");
  }
  EXPECT_TRUE(State.Calls.empty());
}

TEST_F(Settings, NumbersOutsideTheBoardsAreKeptButOpenNothing) {
  for (const char* text : {"7", "-1", "5", "-2147483648", "2147483647"}) {
    OpenSettings(Instance, text);
    EXPECT_EQ(Saved(), text);
  }
  EXPECT_TRUE(State.Calls.empty());
}

TEST_F(Settings, EachCardOpensItsOwnAddressOnce) {
  State.Answering = {0, 1, 2, 3};
  for (const char* text : {"1", "2", "3", "4", "2", "0"}) OpenSettings(Instance, text);
  EXPECT_EQ(State.Calls, (Calls{"OpenDevice 0", "OpenDevice 1", "OpenDevice 2", "OpenDevice 3"}));
}

TEST_F(Settings, SavedTextRestoresTheSameCardInAFreshInstance) {
  OpenSettings(Instance, "2");
  TOutputInstance* fresh = CreateInstance(1);
  OpenSettings(fresh, Saved().c_str());
  EXPECT_EQ(fresh->Details->Card, 2);
  DestroyInstance(fresh);
}

TEST_F(Settings, SaveRespectsTheBuffer) {
  EXPECT_EQ(Saved(), "0");  // right after create
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(SaveSettings(Instance, buffer, 1), 1);
  EXPECT_EQ(std::string(buffer, 2), std::string("0\0", 2));
  EXPECT_EQ(SaveSettings(Instance, buffer, 0), 0);
  EXPECT_EQ(buffer[0], '\0');
  OpenSettings(Instance, "-123");
  EXPECT_EQ(SaveSettings(Instance, buffer, 2), 2);
  EXPECT_STREQ(buffer, "-1");
  EXPECT_EQ(SaveSettings(Instance, nullptr, 10), 0);
}

TEST_F(Settings, NullInstanceIsIgnored) {
  OpenSettings(nullptr, "1");
  char buffer[4] = "xx";
  EXPECT_EQ(SaveSettings(nullptr, buffer, 3), 0);
  EXPECT_STREQ(buffer, "xx");
  EXPECT_TRUE(State.Calls.empty());
}

}  // namespace
