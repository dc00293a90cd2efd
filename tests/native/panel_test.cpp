// The settings panel over the fake GUI: its controls, the card list's
// entries and selection, a user's pick, and the panel's lifetime.
#include "panel/panel.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/fakes/fake_gui.h"
#include "tests/fakes/fake_vendor.h"
#include "module/card_slots.h"
#include "module/output_action.h"
#include "module/settings_text.h"

namespace {

using fake_gui::Of;
using fake_gui::TEntry;
using fake_gui::TKind;
using Calls = std::vector<std::string>;

class Panel : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_vendor::Reset();
    fake_gui::Reset();
    instance_ = CreateInstance(1);
    ASSERT_NE(instance_, nullptr);
  }
  void TearDown() override {
    DestroyInstance(instance_);
    EXPECT_EQ(fake_gui::AliveControls(), 0);
    EXPECT_EQ(fake_gui::State.DoubleDestroys, 0);
  }

  TDetails& Details() { return *instance_->Details; }
  std::vector<TEntry> Entries() { return Of(Details().AddressCombo).Entries; }
  int32_t Selected() { return Of(Details().AddressCombo).Selected; }
  void Show() { ShowPanel(instance_, fake_gui::HostWindow); }
  void ShowWithCard(const char* settings) {
    OpenSettings(instance_, settings);
    Show();
  }
  // No control in the instance, none alive, no board tried.
  void ExpectNoPanel() {
    EXPECT_EQ(Details().GroupBox, nullptr);
    EXPECT_EQ(Details().AddressLabel, nullptr);
    EXPECT_EQ(Details().AddressCombo, nullptr);
    EXPECT_EQ(fake_gui::AliveControls(), 0);
    EXPECT_TRUE(fake_vendor::State.Calls.empty());
  }
  Calls CallsAfter(size_t first) { return Calls(fake_vendor::State.Calls.begin() + first, fake_vendor::State.Calls.end()); }

  TOutputInstance* instance_ = nullptr;
};

TEST_F(Panel, ShowEmbedsThreeControlsInTheHostWindow) {
  Show();
  TDetails& details = Details();
  ASSERT_NE(details.GroupBox, nullptr);
  ASSERT_NE(details.AddressLabel, nullptr);
  ASSERT_NE(details.AddressCombo, nullptr);

  const fake_gui::TFakeControl& box = Of(details.GroupBox);
  EXPECT_EQ(box.Kind, TKind::GroupBox);
  EXPECT_EQ(box.Owner, nullptr);
  EXPECT_EQ(box.ParentWindow, fake_gui::HostWindow);
  EXPECT_EQ(box.MadeFor, fake_gui::HostWindow) << "made for the window it joins (its DPI awareness)";
  EXPECT_EQ((std::vector<int32_t>{box.Left, box.Top, box.Width, box.Height}), (std::vector<int32_t>{4, 4, 728, 176}));
  EXPECT_EQ(box.Caption, "Velleman K8055D Settings");
  EXPECT_TRUE(box.Ctl3D);
  EXPECT_EQ(box.Colour, 15);

  const fake_gui::TFakeControl& label = Of(details.AddressLabel);
  EXPECT_EQ(label.Kind, TKind::Label);
  EXPECT_EQ(label.Owner, &box);
  EXPECT_EQ(label.Parent, &box);
  EXPECT_EQ(label.Left, 8);
  EXPECT_EQ(label.Top, 20);
  EXPECT_TRUE(label.AutoSize);
  EXPECT_EQ(label.Caption, "Card address:");
  EXPECT_EQ(label.Width, 6 * 13) << "sized to its caption";

  const fake_gui::TFakeControl& list = Of(details.AddressCombo);
  EXPECT_EQ(list.Kind, TKind::DropDownList);
  EXPECT_EQ(list.Owner, &box);
  EXPECT_EQ(list.Parent, &box);
  EXPECT_EQ((std::vector<int32_t>{list.Left, list.Top, list.Width, list.Height}),
            (std::vector<int32_t>{8, 40, 300, fake_gui::DefaultListHeight}));
  EXPECT_EQ(list.Details, &details);
  EXPECT_EQ(box.Cursor, TCursor::Default);
}

TEST_F(Panel, ShowTriesEveryBoardOnceAndListsTheSlotStates) {
  fake_vendor::State.Answering = {0, 2};
  Show();
  EXPECT_EQ(fake_vendor::State.Calls, (Calls{"OpenDevice 0", "OpenDevice 1", "OpenDevice 2", "OpenDevice 3"}));
  EXPECT_EQ(Entries(), (std::vector<TEntry>{{"(none)", 0},
                                            {"0 (open)", 1},
                                            {"1 (not available)", 2},
                                            {"2 (open)", 3},
                                            {"3 (not available)", 4}}));
  HidePanel(instance_);
  Show();
  EXPECT_EQ(fake_vendor::State.Calls.size(), 4u) << "a later show finds no closed slot";
}

TEST_F(Panel, WithoutTheVendorLibraryEveryCardStaysClosedAcrossAPick) {
  fake_vendor::Reset();
  fake_vendor::State.Present = false;
  DestroyInstance(instance_);
  instance_ = CreateInstance(1);
  Show();
  fake_gui::Pick(Details().AddressCombo, 3);
  EXPECT_EQ(Details().Card, 3);
  EXPECT_EQ(Selected(), 3);
  EXPECT_EQ(Entries(), (std::vector<TEntry>{{"(none)", 0},
                                            {"0 (closed)", 1},
                                            {"1 (closed)", 2},
                                            {"2 (closed)", 3},
                                            {"3 (closed)", 4}}));
  EXPECT_EQ(fake_vendor::State.Calls, (Calls{"Cursor Hourglass", "Cursor Default"}));
}

TEST_F(Panel, SelectionFollowsTheCardAndFallsBackToNone) {
  const struct {
    const char* Settings;
    int32_t Selected;
  } cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 0}, {"-1", 0}, {"2147483647", 0}};
  for (const auto& c : cases) {
    ShowWithCard(c.Settings);
    EXPECT_EQ(Selected(), c.Selected) << c.Settings;
    HidePanel(instance_);
  }
  Details().Card = INT_MIN;
  Show();
  EXPECT_EQ(Selected(), 0);
}

TEST_F(Panel, PickSetsTheCardAndOpensAClosedBoardOnceUnderTheHourglass) {
  fake_vendor::State.Answering = {0, 1};
  Show();
  CardSlots().Status[1] = SlotClosed;  // as if show had not reached it
  const size_t before = fake_vendor::State.Calls.size();
  fake_gui::Pick(Details().AddressCombo, 2);
  EXPECT_EQ(Details().Card, 2);
  EXPECT_EQ(CallsAfter(before), (Calls{"Cursor Hourglass", "OpenDevice 1", "Cursor Default"}));
  EXPECT_EQ(Selected(), 2) << "the picked entry stays selected after the refresh";
  EXPECT_EQ(Entries()[2], (TEntry{"1 (open)", 2}));

  fake_gui::Pick(Details().AddressCombo, 2);
  EXPECT_EQ(CallsAfter(before), (Calls{"Cursor Hourglass", "OpenDevice 1", "Cursor Default", "Cursor Hourglass",
                                       "Cursor Default"}))
      << "an open board is not opened again";
  char saved[16];
  SaveSettings(instance_, saved, 15);
  EXPECT_STREQ(saved, "2");
}

TEST_F(Panel, PickingAnAbsentBoardKeepsItSelectedAndRestoresTheCursor) {
  Show();  // only board 0 answers
  CardSlots().Status[3] = SlotClosed;
  const size_t before = fake_vendor::State.Calls.size();
  fake_gui::Pick(Details().AddressCombo, 4);
  EXPECT_EQ(CallsAfter(before), (Calls{"Cursor Hourglass", "OpenDevice 3", "Cursor Default"}));
  EXPECT_EQ(Details().Card, 4);
  EXPECT_EQ(Selected(), 4);
  EXPECT_EQ(Entries()[4].Text, "3 (not available)");
  EXPECT_EQ(Of(Details().GroupBox).Cursor, TCursor::Default);
}

TEST_F(Panel, PickingNoneChangesNoSlot) {
  ShowWithCard("1");
  const size_t before = fake_vendor::State.Calls.size();
  const std::vector<int32_t> slots(std::begin(CardSlots().Status), std::end(CardSlots().Status));
  fake_gui::Pick(Details().AddressCombo, 0);
  EXPECT_EQ(Details().Card, 0);
  EXPECT_EQ(Selected(), 0);
  EXPECT_TRUE(CallsAfter(before).empty());
  EXPECT_EQ(std::vector<int32_t>(std::begin(CardSlots().Status), std::end(CardSlots().Status)), slots);
  EXPECT_EQ(Entries()[1].Text, "0 (open)") << "the board chosen earlier stays open";
}

// The list shows a board dropped during output as not available: soon
// after the output call (on the panel's thread), and whenever it is opened.
TEST_F(Panel, ABoardDroppedDuringOutputShowsAsNotAvailable) {
  fake_vendor::State.Answering = {0, 1};
  ShowWithCard("1");
  ASSERT_EQ(Entries()[1].Text, "0 (open)");
  fake_vendor::State.Dropped = {0};
  const std::vector<uint16_t> samples(SamplesPerBlock, 1000);
  OutputAction(instance_, 1, samples.data());
  EXPECT_EQ(Entries()[1].Text, "0 (open)") << "the list is not touched from the output call";
  fake_gui::RunRequestedRefreshes();
  EXPECT_EQ(Entries()[1].Text, "0 (not available)");
  EXPECT_EQ(Selected(), 1) << "the card stays chosen";
  EXPECT_EQ(Entries()[2].Text, "1 (open)");

  CardSlots().Status[2] = SlotNotAvailable;  // as another instance's output would leave it
  Of(Details().AddressCombo).OnRefresh(&Details());  // the user opens the list
  EXPECT_EQ(Entries()[3].Text, "2 (not available)");
}

// The slots are the process's: a drop seen by one instance's output shows
// in every shown panel, also in one whose instance sent nothing.
TEST_F(Panel, EveryShownPanelLearnsOfADropWhicheverInstanceSawIt) {
  fake_vendor::State.Answering = {0, 1};
  TOutputInstance* other = CreateInstance(2);
  ShowPanel(other, fake_gui::HostWindow);
  ShowWithCard("1");
  fake_vendor::State.Dropped = {0};
  const std::vector<uint16_t> samples(SamplesPerBlock, 1000);
  OutputAction(instance_, 1, samples.data());
  fake_gui::RunRequestedRefreshes();
  EXPECT_EQ(Entries()[1].Text, "0 (not available)");
  EXPECT_EQ(Of(other->Details->AddressCombo).Entries[1].Text, "0 (not available)");
  EXPECT_EQ(Of(other->Details->AddressCombo).Entries[2].Text, "1 (open)");
  DestroyInstance(other);
}

TEST_F(Panel, HideDestroysTheControlsOnceAndClearsTheFields) {
  Show();
  HidePanel(instance_);
  EXPECT_EQ(Details().GroupBox, nullptr);
  EXPECT_EQ(Details().AddressLabel, nullptr);
  EXPECT_EQ(Details().AddressCombo, nullptr);
  EXPECT_EQ(fake_gui::AliveControls(), 0);
  HidePanel(instance_);  // no panel: nothing to do
  HidePanel(nullptr);
  ShowPanel(nullptr, fake_gui::HostWindow);
}

TEST_F(Panel, DestroyRemovesAPanelStillShown) {
  Show();
  DestroyInstance(instance_);
  instance_ = nullptr;
  EXPECT_EQ(fake_gui::AliveControls(), 0);
}

// A host may destroy its window with the panel inside and never call hide
// (Windows then gives the dead handle values to new windows): the instance
// forgets the panel at once, hide touches nothing, show builds a new one.
TEST_F(Panel, APanelDestroyedWithTheHostWindowIsForgotten) {
  Show();
  fake_gui::DestroyWithHostWindow(Details().GroupBox);
  EXPECT_EQ(Details().GroupBox, nullptr);
  EXPECT_EQ(Details().AddressLabel, nullptr);
  EXPECT_EQ(Details().AddressCombo, nullptr);
  HidePanel(instance_);
  EXPECT_EQ(fake_gui::State.DoubleDestroys, 0);
  Show();
  EXPECT_EQ(fake_gui::AliveControls(), 3);
  fake_gui::Pick(Details().AddressCombo, 1);
  EXPECT_EQ(Details().Card, 1);
}

// The board's driver may pump messages while it opens a board, and the host
// may destroy its window meanwhile: the pick ends without touching the panel.
TEST_F(Panel, APanelDestroyedDuringThePickIsLeftAlone) {
  Show();
  CardSlots().Status[2] = SlotClosed;
  static TDetails* picking;
  picking = &Details();
  fake_vendor::State.DuringOpenDevice = [] { fake_gui::DestroyWithHostWindow(picking->GroupBox); };
  const size_t before = fake_vendor::State.Calls.size();
  fake_gui::Pick(Details().AddressCombo, 3);
  EXPECT_EQ(CallsAfter(before), (Calls{"Cursor Hourglass", "OpenDevice 2"}));
  EXPECT_EQ(Details().Card, 3);
  EXPECT_EQ(Details().GroupBox, nullptr);
}

TEST_F(Panel, ShowAgainReplacesThePanel) {
  Show();
  Show();
  EXPECT_EQ(fake_gui::AliveControls(), 3);
  EXPECT_EQ(fake_gui::State.Controls.size(), 6u);
  EXPECT_TRUE(Of(Details().GroupBox).Alive);
}

TEST_F(Panel, ShowIntoSomethingThatIsNoWindowDoesNothing) {
  Show();
  TControl shown = Details().GroupBox;
  ShowPanel(instance_, 0x999);
  EXPECT_EQ(Details().GroupBox, shown) << "the panel shown stays";
  HidePanel(instance_);
  fake_vendor::Reset();
  ShowPanel(instance_, 0);
  EXPECT_EQ(Details().GroupBox, nullptr);
  EXPECT_TRUE(fake_vendor::State.Calls.empty()) << "no board is tried";
}

TEST_F(Panel, AControlThatCannotBeMadeLeavesNoPanel) {
  for (TKind failing : {TKind::GroupBox, TKind::Label, TKind::DropDownList}) {
    fake_gui::State.FailingKinds = {failing};
    Show();
    ExpectNoPanel();
  }
}

// Windows may refuse to make the panel a child of the host's window (one of
// another DPI awareness context): nothing is left, no board is tried, and
// the next show builds a whole panel.
TEST_F(Panel, AHostWindowThatRefusesThePanelLeavesNoPanel) {
  fake_gui::State.RefusesPlacing = true;
  Show();
  ExpectNoPanel();
  fake_gui::State.RefusesPlacing = false;
  Show();
  ASSERT_NE(Details().GroupBox, nullptr);
  EXPECT_EQ(Of(Details().GroupBox).ParentWindow, fake_gui::HostWindow);
  EXPECT_EQ(Entries().size(), 5u);
}

TEST_F(Panel, EachInstanceKeepsItsOwnPanelAndCard) {
  TOutputInstance* other = CreateInstance(2);
  Show();
  ShowPanel(other, fake_gui::HostWindow);
  fake_gui::Pick(other->Details->AddressCombo, 1);
  EXPECT_EQ(other->Details->Card, 1);
  EXPECT_EQ(Details().Card, 0);
  EXPECT_EQ(Selected(), 0);
  DestroyInstance(other);
  EXPECT_EQ(fake_gui::AliveControls(), 3);
}

}  // namespace
