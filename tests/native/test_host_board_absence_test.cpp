// Why a card has no board, as the test host tells it: for each source of
// boards the reason and what to do, said once where it is one for all, and
// what info says of the watch and of an unplug's plug-in.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "test_host/diagnosis/board_settings_report.h"
#include "test_host/session/board_absence.h"

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TBoardSettings Watching(const char* forward) {
  TBoardSettings settings;
  std::snprintf(settings.Forward, sizeof(settings.Forward), "%s", forward);
  settings.ForwardOrigin = TSettingOrigin::File;
  return settings;
}

TEST(TestHostBoardAbsence, EachSourceGivesItsReasonAndWhatToDo) {
  TBoardSettings preview;
  preview.Boards = 0b0011;
  preview.BoardsOrigin = TSettingOrigin::File;
  const TBoardSource boards = VirtualBoardSource(preview, "");
  EXPECT_EQ(boards.Kind, TBoardSourceKind::VirtualBoards);
  const std::string missing = WhyCardDoesNotAnswer(boards, 3);
  EXPECT_TRUE(Has(missing, "boards = 0,1 (k8055d.ini) does not list 2")) << missing;
  EXPECT_TRUE(Has(missing, "Add it there")) << missing;

  // Listed, but unplugged by the settings before it was opened.
  preview.Unplug[0] = {1, 0};
  preview.UnplugOrigin = TSettingOrigin::Environment;
  const std::string unplugged = WhyCardDoesNotAnswer(VirtualBoardSource(preview, ""), 1);
  EXPECT_TRUE(Has(unplugged, "unplug = 0@1 (VIRTUAL_K8055_UNPLUG)")) << unplugged;

  const TBoardSource watch = VirtualBoardSource(Watching("C:\\K8055\\k8055d-vendor.dll"), "");
  EXPECT_EQ(watch.Kind, TBoardSourceKind::Watch);
  const std::string jumpers = WhyCardDoesNotAnswer(watch, 2);
  EXPECT_TRUE(Has(jumpers, "C:\\K8055\\k8055d-vendor.dll, watched by the virtual board")) << jumpers;
  EXPECT_TRUE(Has(jumpers, "found no board with card address 1")) << jumpers;
  EXPECT_TRUE(Has(jumpers, "jumpers set card address 1")) << jumpers;
  EXPECT_FALSE(Has(jumpers, "boards =")) << "the boards setting does not count while watching: " << jumpers;

  const TBoardSource refused = VirtualBoardSource(
      Watching("C:\\nothere.dll"), "forward library C:\\nothere.dll does not exist: no board answers");
  EXPECT_EQ(refused.Kind, TBoardSourceKind::RefusedWatch);
  const std::string why = WhyCardDoesNotAnswer(refused, 1);
  EXPECT_TRUE(Has(why, "passes no call on")) << why;
  EXPECT_TRUE(Has(why, "forward library C:\\nothere.dll does not exist. Name the vendor's library")) << why;
  EXPECT_FALSE(Has(why, "jumpers")) << "no jumper is at fault: " << why;

  TBoardSource vendor;
  vendor.Library = "C:\\Windows\\System32\\k8055d.dll";
  EXPECT_TRUE(Has(WhyCardDoesNotAnswer(vendor, 4), "The vendor's library (C:\\Windows\\System32\\k8055d.dll) found no "
                                                   "board with card address 3"));
}

TEST(TestHostBoardAbsence, NoBoardAtAllOrARefusedLibraryIsSaidOnce) {
  const TBoardSource watch = VirtualBoardSource(Watching("k8055d-vendor.dll"), "");
  const std::vector<std::string> none = WhyCardsDoNotAnswer(watch, {1, 2, 3, 4}, true);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE(Has(none[0], "finds no K8055 board at any card address. Plug a board in")) << none[0];
  EXPECT_FALSE(Has(none[0], "jumpers")) << none[0];

  const TBoardSource refused = VirtualBoardSource(Watching("x.dll"), "forward library x.dll is a 64-bit DLL");
  EXPECT_EQ(WhyCardsDoNotAnswer(refused, {1, 2, 3}, false).size(), 1u);
  // Some answer: one reason a card, named.
  const std::vector<std::string> some = WhyCardsDoNotAnswer(watch, {2, 4}, false);
  ASSERT_EQ(some.size(), 2u);
  EXPECT_EQ(some[1].rfind("card 4 (card address 3): ", 0), 0u) << some[1];

  TBoardSettings noBoards;
  noBoards.Boards = 0;
  noBoards.BoardsOrigin = TSettingOrigin::Environment;
  const std::string empty = WhyNoCardAnswers(VirtualBoardSource(noBoards, ""));
  EXPECT_TRUE(Has(empty, "boards = none (VIRTUAL_K8055_BOARDS)")) << empty;
}

TEST(TestHostBoardAbsence, ADroppedBoardNamesTheUnplugThatDidIt) {
  TBoardSettings preview;
  preview.Unplug[0] = {40, 80};
  preview.UnplugOrigin = TSettingOrigin::Environment;
  const std::string dropped = WhyCardWasDropped(VirtualBoardSource(preview, ""), 1);
  EXPECT_TRUE(Has(dropped, "card 1 (card address 0) stopped answering")) << dropped;
  EXPECT_TRUE(Has(dropped, "unplug = 0@40-80 (VIRTUAL_K8055_UNPLUG)")) << dropped;
  EXPECT_TRUE(Has(dropped, "start again")) << dropped;
  EXPECT_TRUE(Has(WhyCardWasDropped(VirtualBoardSource(TBoardSettings{}, ""), 2), "Unplug button"));
  EXPECT_TRUE(Has(WhyCardWasDropped(TBoardSource{}, 2), "unplugged, or its USB connection lost"));
}

TEST(TestHostBoardAbsence, InfoOfTheWatchSaysWhatIsTrueAndWhatIsIgnored) {
  TBoardSettings settings = Watching("C:\\K8055\\k8055d-vendor.dll");
  settings.Boards = 0b0011;
  settings.BoardsOrigin = TSettingOrigin::File;
  settings.PaceMs = 20;
  settings.PaceOrigin = TSettingOrigin::Environment;
  settings.Unplug[0] = {5, 0};
  settings.UnplugOrigin = TSettingOrigin::Environment;
  const std::string used = DescribeBoardSettings(settings, false, "");
  EXPECT_FALSE(Has(used, "the boards answer")) << used;
  EXPECT_TRUE(Has(used, "calls go on to C:\\K8055\\k8055d-vendor.dll (k8055d.ini)")) << used;
  EXPECT_TRUE(Has(used, "ignored while forward is set")) << used;
  EXPECT_TRUE(Has(used, "boards = 0,1 (k8055d.ini), pace = 20 (VIRTUAL_K8055_PACE), unplug = 0@5 "
                        "(VIRTUAL_K8055_UNPLUG)\n"))
      << used;
  EXPECT_FALSE(Has(used, "each command takes")) << used;

  const std::string refused = DescribeBoardSettings(settings, true, "");
  EXPECT_FALSE(Has(refused, "calls go on")) << refused;
  EXPECT_TRUE(Has(refused, "refuses the library that forward names")) << refused;
  EXPECT_TRUE(Has(refused, "no board answers")) << refused;

  // Nothing set beside forward: nothing said to be ignored.
  EXPECT_FALSE(Has(DescribeBoardSettings(Watching("v.dll"), false, ""), "ignored"));
}

TEST(TestHostBoardAbsence, AnUnplugsPlugInIsPromisedOnlyAsFarAsItHolds) {
  TBoardSettings settings;
  settings.Unplug[0] = {30, 60};
  settings.UnplugOrigin = TSettingOrigin::File;
  const std::string text = DescribeBoardSettings(settings, false, "");
  EXPECT_TRUE(Has(text, "card address 0 unplugged at call 30, plugged in again at call 60")) << text;
  EXPECT_TRUE(Has(text, "a plug-in comes only if the program makes that many calls")) << text;
  settings.Unplug[0] = {30, 0};
  EXPECT_FALSE(Has(DescribeBoardSettings(settings, false, ""), "plug-in"));
}

}  // namespace
