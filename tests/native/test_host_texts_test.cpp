// The test host's portable texts and checks: what a file is from its
// headers, where k8055d.dll is looked for, what play reports at its end,
// how cards are named, which versions are in use, Windows' error texts
// with their inserts filled, and what is said when no window can be made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_host/session/card_report.h"
#include "virtual_board/image_kind.h"
#include "test_host/diagnosis/message_inserts.h"
#include "test_host/diagnosis/no_window_text.h"
#include "test_host/text/number_text.h"
#include "test_host/play/play_report.h"
#include "test_host/diagnosis/version_report.h"

namespace {

// The headers of a PE file: "MZ", the offset of "PE\0\0" at 0x3C, the
// machine, the characteristics and the optional header's magic.
std::string ImageHead(uint16_t machine, uint16_t characteristics, uint16_t magic, uint32_t peOffset = 0x80) {
  std::string head(peOffset + 26, '\0');
  head[0] = 'M';
  head[1] = 'Z';
  for (int i = 0; i < 4; ++i) head[0x3C + i] = static_cast<char>(peOffset >> (8 * i));
  head.replace(peOffset, 4, std::string("PE\0\0", 4));
  const uint16_t fields[][2] = {{4, machine}, {22, characteristics}, {24, magic}};
  for (const auto& field : fields) {
    head[peOffset + field[0]] = static_cast<char>(field[1] & 0xFF);
    head[peOffset + field[0] + 1] = static_cast<char>(field[1] >> 8);
  }
  return head;
}

TEST(TestHostImageKind, HeadersTellWhatAFileIs) {
  constexpr uint16_t Dll = 0x2102, Program = 0x0102;
  EXPECT_EQ(ClassifyImage(ImageHead(0x014C, Dll, 0x010B)), TImageKind::Dll32);
  EXPECT_EQ(ClassifyImage(ImageHead(0x014C, Program, 0x010B)), TImageKind::Program32);
  EXPECT_EQ(ClassifyImage(ImageHead(0x8664, Dll | 0x20, 0x020B)), TImageKind::Dll64);
  EXPECT_EQ(ClassifyImage(ImageHead(0xAA64, 0x0022, 0x020B)), TImageKind::Program64);
  EXPECT_EQ(ClassifyImage(ImageHead(0x01C4, Dll, 0x010B)), TImageKind::OtherProcessor);  // 32-bit ARM
  EXPECT_EQ(ClassifyImage(""), TImageKind::Empty);
  EXPECT_EQ(ClassifyImage("time_ms,channel,value\n"), TImageKind::NotAnImage);
  EXPECT_EQ(ClassifyImage(ImageHead(0x014C, Dll, 0x0107)), TImageKind::NotAnImage);  // a ROM image's magic

  // Cut or lying headers are no image, and reading them stays within head.
  const std::string dll = ImageHead(0x014C, Dll, 0x010B);
  for (size_t size : {size_t{1}, size_t{2}, size_t{0x3C}, size_t{0x40}, size_t{0x84}, dll.size() - 1})
    EXPECT_EQ(ClassifyImage(dll.substr(0, size)), TImageKind::NotAnImage) << size;
  std::string farOffset = dll;
  farOffset[0x3F] = '\x7F';  // "PE" beyond 2 GiB
  EXPECT_EQ(ClassifyImage(farOffset), TImageKind::NotAnImage);

  EXPECT_STREQ(DescribeImageKind(TImageKind::Dll64), "is a 64-bit DLL");
  EXPECT_STREQ(DescribeImageKind(TImageKind::Dll32), "");
}

TEST(TestHostReports, PlayEndCountsLateAndUndeliveredRows) {
  TPlayResult played;
  played.RowsSent = 1;
  played.ElapsedMs = 1234;
  EXPECT_EQ(DescribePlayEnd(played, 1, 0), "played 1 row in 1.2 s\n");

  played.RowsSent = 10;
  played.RowsLate = 1;
  played.MostLateMs = 35;
  EXPECT_EQ(DescribePlayEnd(played, 10, 4),
            "played 10 rows in 1.2 s\n"
            "fell behind the schedule: 1 row sent late, by up to 35 ms\n"
            "4 rows reached no board\n");

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
