// The test host's portable texts and checks: where k8055d.dll is looked
// for, what play reports at its end, how cards are named, which versions
// are in use, Windows' error texts with their inserts filled, and what is
// said when no window can be made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_host/session/card_report.h"
#include "test_host/text/message_inserts.h"
#include "test_host/diagnosis/no_window_text.h"
#include "test_host/text/number_text.h"
#include "test_host/play/play_report.h"
#include "test_host/diagnosis/version_report.h"

namespace {

TEST(TestHostReports, PlayEndCountsLateAndUndeliveredRows) {
  TPlayResult played;
  played.RowsSent = 1;
  played.ElapsedMs = 1234;
  EXPECT_EQ(DescribePlayEnd(played, 1, 0), "played 1 row in 1.2 s\n");

  played.RowsSent = 10;
  played.RowsLate = 1;
  played.MostLateMs = 35;
  played.Updates = 2;
  played.SendingMs = 83;  // 8.3 ms a row
  played.MostRowsInUpdate = 5;
  const std::string late = DescribePlayEnd(played, 10, 4);
  EXPECT_EQ(late.substr(0, late.find('\n') + 1), "played 10 rows in 1.2 s\n");
  // Rows late within updates that began on time: no falling behind, and
  // the board's limit at its pace.
  EXPECT_EQ(late.find("fell behind"), std::string::npos) << late;
  EXPECT_NE(late.find("kept to the schedule"), std::string::npos) << late;
  EXPECT_NE(late.find("1 row went out more than 20 ms after their time, by up to 35 ms"), std::string::npos) << late;
  EXPECT_NE(late.find("each row took the board 8.3 ms: updates of 5 rows keep up at up to 24 a second"),
            std::string::npos)
      << late;
  EXPECT_NE(late.find("\n4 rows reached no board\n"), std::string::npos) << late;

  played.UpdatesBehind = 1;
  played.MostBehindMs = 1940;
  const std::string behind = DescribePlayEnd(played, 10, 0);
  EXPECT_NE(behind.find("fell behind the schedule: 1 of 2 updates (the rows of one time) began more than 20 ms "
                        "after their time, by up to 1.9 s"),
            std::string::npos)
      << behind;
  EXPECT_EQ(behind.find("kept to the schedule"), std::string::npos) << behind;
  EXPECT_NE(behind.find("updates of 5 rows keep up at up to 24 a second"), std::string::npos) << behind;
  played.SendingMs = 0;  // a board without a pace tells no limit
  EXPECT_EQ(DescribePlayEnd(played, 10, 0).find("keep up at"), std::string::npos);

  TPlayResult stopped;
  stopped.RowsSent = 3;
  stopped.Stopped = true;
  stopped.ElapsedMs = 260;
  EXPECT_EQ(DescribePlayEnd(stopped, 601, 1), "stopped by Ctrl+C after 3 of 601 rows (0.3 s)\n1 row reached no board\n");
}

TEST(TestHostReports, CardsByNumberAndAddress) {
  EXPECT_EQ(CardNames({2}), "card 2");
  EXPECT_EQ(CardNames({1, 3, 4}), "cards 1, 3, 4");
  EXPECT_EQ(CardNotReached(2, -1), "card 2 does not answer (card address 1)");
  EXPECT_EQ(CardNotReached(4, OpenDeviceNotCalled), "card 4 (card address 3) was not opened");
  EXPECT_EQ(CardNotReached(1, 0), "card 1 (card address 0) is open, yet the module sent it nothing");
}

TEST(TestHostReports, LongFieldsAreCutAtACharacter) {
  EXPECT_EQ(QuotedField("five"), "\"five\"");
  const std::string sixty(60, '7');
  EXPECT_EQ(QuotedField(sixty), "\"" + sixty + "\"");
  EXPECT_EQ(QuotedField(sixty + "8"), "\"" + sixty + "...\"");
  // "Ł" is two bytes; one that would straddle the cut is left out whole.
  EXPECT_EQ(QuotedField(std::string(59, 'x') + "Łódź"), "\"" + std::string(59, 'x') + "...\"");
  EXPECT_EQ(CountOf(1, "row"), "1 row");
  EXPECT_EQ(CountOf(0, "row"), "0 rows");
}

TEST(TestHostReports, VersionsSayWhenK8055dIsTheVirtualBoard) {
  TFileVersion board{"C:\\b\\k8055d.dll", true, true, "1.2.3.4", "Virtual board: a stand-in",
                     "The out_tarnwell developers"};
  EXPECT_TRUE(IsVirtualBoard(board));
  EXPECT_EQ(DescribeFileVersion("k8055d.dll", board),
            "k8055d.dll 1.2.3.4, C:\\b\\k8055d.dll (the virtual board, not the vendor's driver library)");
  // A description alone does not make one; nor does a maker alone.
  TFileVersion vendor = board;
  vendor.Company = "A board maker";
  EXPECT_FALSE(IsVirtualBoard(vendor));
  vendor = board;
  vendor.Description = "K8055 driver; not a Virtual board: at all";
  EXPECT_FALSE(IsVirtualBoard(vendor));
  EXPECT_EQ(DescribeFileVersion("k8055d.dll", vendor), "k8055d.dll 1.2.3.4, C:\\b\\k8055d.dll");

  TFileVersion bare{"C:\\b\\k8055d.dll", true, false, "", "", ""};
  EXPECT_EQ(DescribeFileVersion("k8055d.dll", bare), "k8055d.dll (no version resource), C:\\b\\k8055d.dll");
  EXPECT_EQ(DescribeFileVersion("k8055d.dll", TFileVersion{}), "k8055d.dll not found");
  EXPECT_EQ(DescribeFileVersion("out_tarnwell.dll", TFileVersion{"C:\\m.dll", false, false, "", "", ""}),
            "out_tarnwell.dll, C:\\m.dll does not exist");
}

TEST(TestHostMessageInserts, EveryInsertGetsTheNameAndNothingElseChanges) {
  const struct {
    const char* Text;
    const char* Filled;
  } cases[] = {
      {"%1 is not a valid Win32 application.", "k8055d.dll is not a valid Win32 application."},
      {"Bad EXE format for %1.", "Bad EXE format for k8055d.dll."},
      {"%1 needs %2!s! and %12", "k8055d.dll needs k8055d.dll and k8055d.dll"},
      {"100% done, 50%, %0 %n %% %a %", "100% done, 50%, %0 %n %% %a %"},
      {"ends in %1!", "ends in k8055d.dll!"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FillMessageInserts(c.Text, "k8055d.dll"), c.Filled) << c.Text;
}

TEST(TestHostReports, TheXvfbRunHintOnlyUnderWine) {
  EXPECT_EQ(NoWindowText(true, "Windows error 1400: Invalid window handle"),
            "cannot create a window for the settings panel (no display? under wine without X, use xvfb-run)");
  EXPECT_EQ(NoWindowText(false, "Windows error 8: Not enough memory resources are available to process this command"),
            "cannot create a window for the settings panel (Windows error 8: Not enough memory resources are available "
            "to process this command)");
  EXPECT_EQ(NoWindowText(false, ""), "cannot create a window for the settings panel");
}

}  // namespace
