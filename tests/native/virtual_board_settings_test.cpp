// The virtual board's settings: k8055d.ini read with good, bad and missing
// values, the environment winning where it is set, and every value that
// cannot be read named with its place while the next source's value counts.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "virtual_board/board_settings.h"
#include "virtual_board/fixed_text.h"

namespace {

using TVariables = std::map<std::string, std::string>;

bool LookUp(std::string_view name, char* value, size_t size, void* context) {
  const auto& variables = *static_cast<const TVariables*>(context);
  const auto found = variables.find(std::string(name));
  if (found == variables.end() || found->second.size() >= size) return false;
  found->second.copy(value, found->second.size());
  value[found->second.size()] = '\0';
  return true;
}

struct TSources {
  const char* File = nullptr;  // null: no k8055d.ini
  const char* Boards = nullptr;
  const char* Window = nullptr;
  const char* Record = nullptr;
  const char* Forward = nullptr;
  const char* Pace = nullptr;
  const char* Unplug = nullptr;
  TVariables Variables;
};

TBoardSettings Read(const TSources& given) {
  TBoardSettingsSources sources;
  sources.FileFound = given.File != nullptr;
  sources.FileText = given.File ? given.File : "";
  sources.FileFolder = "C:\\Host";
  sources.Boards = given.Boards;
  sources.Window = given.Window;
  sources.Record = given.Record;
  sources.Forward = given.Forward;
  sources.Pace = given.Pace;
  sources.Unplug = given.Unplug;
  sources.Lookup = LookUp;
  sources.LookupContext = const_cast<TVariables*>(&given.Variables);
  TBoardSettings settings;
  ReadBoardSettings(sources, settings);
  return settings;
}

TEST(VirtualBoardSettings, DefaultsWithoutFileOrVariables) {
  const TBoardSettings settings = Read({});
  EXPECT_EQ(settings.Boards, 0b0001);  // card address 0
  EXPECT_FALSE(settings.Window);
  EXPECT_STREQ(settings.Record, "");
  EXPECT_EQ(settings.BoardsOrigin, TSettingOrigin::Default);
  EXPECT_STREQ(settings.Problems, "");
}

TEST(VirtualBoardSettings, TheReleasedFileTurnsTheWindowOnForBoardsZeroAndOneAtARealBoardsPace) {
  std::ifstream file(TARNWELL_SOURCE_DIR "/virtual_board/k8055d.ini", std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  const std::string text = content.str();
  ASSERT_FALSE(text.empty());
  // Windows line ends throughout, so that every Notepad shows it as written.
  size_t lines = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1), ++lines)
    ASSERT_TRUE(end > 0 && text[end - 1] == '\r') << "line " << lines + 1;
  EXPECT_GT(lines, 20u);
  TSources sources;
  sources.File = text.c_str();
  sources.Variables = {{"DESKTOP", "D:\\OneDrive\\Ann\\Desktop"}};  // the shell's, on Windows
  const TBoardSettings settings = Read(sources);
  EXPECT_STREQ(settings.Problems, "");
  EXPECT_EQ(settings.Boards, 0b0011);
  EXPECT_EQ(settings.BoardsOrigin, TSettingOrigin::File);
  EXPECT_TRUE(settings.Window);
  EXPECT_STREQ(settings.Record, "");  // off until the user turns it on
  EXPECT_EQ(settings.PaceMs, 8) << "a real board's time for each command";

  // Turned on as the file tells: its ; removed.
  std::string on = text;
  on.replace(on.find(";record"), 7, "record");
  sources.File = on.c_str();
  EXPECT_STREQ(Read(sources).Record, "D:\\OneDrive\\Ann\\Desktop\\k8055d-calls.txt");
  EXPECT_STREQ(Read(sources).Forward, "");  // forwarding off until the user turns it on too
}

TEST(VirtualBoardSettings, FileValuesInTheirUsualForms) {
  TSources sources;
  sources.File =
      "\xEF\xBB\xBF; notes\n"
      "# also notes\n"
      "  [ Virtual Board ]  \r\n"
      "Boards=0123\n"
      "  WINDOW  =  1  \n"
      "record = \"calls\\today.txt\"\n";  // relative: from the file's folder
  TBoardSettings settings = Read(sources);
  EXPECT_STREQ(settings.Problems, "");
  EXPECT_EQ(settings.Boards, 0b1111);
  EXPECT_TRUE(settings.Window);
  EXPECT_STREQ(settings.Record, "C:\\Host\\calls\\today.txt");
  EXPECT_EQ(settings.RecordOrigin, TSettingOrigin::File);

  sources.File = "boards = none\nwindow = 0\nrecord = %DATA%\\%NAME%.txt\n";  // no section: the board's
  sources.Variables = {{"DATA", "D:\\Shows"}, {"NAME", "calls"}};
  settings = Read(sources);
  EXPECT_STREQ(settings.Problems, "");
  EXPECT_EQ(settings.Boards, 0);
  EXPECT_FALSE(settings.Window);
  EXPECT_EQ(settings.WindowOrigin, TSettingOrigin::File);
  EXPECT_STREQ(settings.Record, "D:\\Shows\\calls.txt");

  sources.File = "record = \\\\server\\share\\calls.txt\nrecord = 100%\n";  // the last one counts
  EXPECT_STREQ(Read(sources).Record, "C:\\Host\\100%");
  sources.File = "record = \\\\server\\share\\calls.txt\n";
  EXPECT_STREQ(Read(sources).Record, "\\\\server\\share\\calls.txt");
  sources.File = "record =\n";  // empty: no record
  EXPECT_STREQ(Read(sources).Record, "");
}

TEST(VirtualBoardSettings, EachValueItCannotReadIsNamedAndTheDefaultCounts) {
  const struct {
    const char* File;
    const char* Problem;
  } cases[] = {
      {"boards = 0,5\n",
       "k8055d.ini line 1: boards \"0,5\" is not a list of card addresses 0 ... 3 (such as 0,1) or none"},
      {"\n\nboards =\n",
       "k8055d.ini line 3: boards \"\" is not a list of card addresses 0 ... 3 (such as 0,1) or none"},
      {"window = yes\n", "k8055d.ini line 1: window \"yes\" is not 0 (no windows) or 1 (a window for each open board)"},
      {"window = 1 ; on\n",
       "k8055d.ini line 1: window \"1 ; on\" is not 0 (no windows) or 1 (a window for each open board)"},
      {"record = %NOSUCH%\\calls.txt\n",
       "k8055d.ini line 1: record \"%NOSUCH%\\calls.txt\" names %NOSUCH%, which is not set"},
      {"colour = red\n",
       "k8055d.ini line 1: \"colour = red\" is not a setting of the virtual board (boards, window, record, "
       "forward, pace or unplug = ...)"},
      {"boards 0,1\n",
       "k8055d.ini line 1: \"boards 0,1\" is not a setting of the virtual board (boards, window, record, "
       "forward, pace or unplug = ...)"},
      {"pace = 1001\n", "k8055d.ini line 1: pace \"1001\" is not a number of milliseconds 0 ... 1000 (such as 8)"},
      {"pace = 8ms\n", "k8055d.ini line 1: pace \"8ms\" is not a number of milliseconds 0 ... 1000 (such as 8)"},
      {"pace = -1\n", "k8055d.ini line 1: pace \"-1\" is not a number of milliseconds 0 ... 1000 (such as 8)"},
      {"[board]\nboards = 2\n", "k8055d.ini line 1: [board] is not the section [virtual board]; the lines under it "
                                "are not read"},
      {"[virtual board\nboards = 2\n", "k8055d.ini line 1: [virtual board is not the section [virtual board]; the "
                                       "lines under it are not read"},
  };
  for (const auto& c : cases) {
    TSources sources;
    sources.File = c.File;
    const TBoardSettings settings = Read(sources);
    EXPECT_STREQ(settings.Problems, c.Problem) << c.File;
    EXPECT_EQ(settings.Boards, 0b0001) << c.File;
    EXPECT_FALSE(settings.Window) << c.File;
    EXPECT_STREQ(settings.Record, "") << c.File;
  }
}

TEST(VirtualBoardSettings, GoodLinesCountBesideBadOnesEachProblemOnALine) {
  TSources sources;
  sources.File = "boards = 2\nwindow = on\n[other]\nwindow = 1\n[virtual board]\nrecord = r.txt\n";
  const TBoardSettings settings = Read(sources);
  EXPECT_EQ(settings.Boards, 0b0100);
  EXPECT_FALSE(settings.Window);
  EXPECT_STREQ(settings.Record, "C:\\Host\\r.txt");
  EXPECT_STREQ(settings.Problems,
               "k8055d.ini line 2: window \"on\" is not 0 (no windows) or 1 (a window for each open board)\n"
               "k8055d.ini line 3: [other] is not the section [virtual board]; the lines under it are not read");
}

TEST(VirtualBoardSettings, TheEnvironmentWinsAndAnUnreadableVariableLeavesTheFilesValue) {
  TSources sources;
  sources.File = "boards = 0,1\nwindow = 1\nrecord = file.txt\n";
  sources.Boards = " 3 ";
  sources.Window = "0";
  sources.Record = "D:\\env.txt";
  TBoardSettings settings = Read(sources);
  EXPECT_STREQ(settings.Problems, "");
  EXPECT_EQ(settings.Boards, 0b1000);
  EXPECT_EQ(settings.BoardsOrigin, TSettingOrigin::Environment);
  EXPECT_FALSE(settings.Window);
  EXPECT_EQ(settings.WindowOrigin, TSettingOrigin::Environment);
  EXPECT_STREQ(settings.Record, "D:\\env.txt");
  EXPECT_EQ(settings.RecordOrigin, TSettingOrigin::Environment);

  sources.Boards = "0,7";
  sources.Window = "true";
  settings = Read(sources);
  EXPECT_EQ(settings.Boards, 0b0011);
  EXPECT_EQ(settings.BoardsOrigin, TSettingOrigin::File);
  EXPECT_TRUE(settings.Window);
  EXPECT_STREQ(settings.Problems,
               "VIRTUAL_K8055_BOARDS \"0,7\" is not a list of card addresses 0 ... 3 (such as 0,1) or none\n"
               "VIRTUAL_K8055_WINDOW \"true\" is not 0 (no windows) or 1 (a window for each open board)");

  sources.File = nullptr;  // and without the file: the defaults
  sources.Boards = "none";
  settings = Read(sources);
  EXPECT_EQ(settings.Boards, 0);
  EXPECT_FALSE(settings.Window);
  EXPECT_EQ(settings.WindowOrigin, TSettingOrigin::Default);
}

TEST(VirtualBoardSettings, CardAddressLists) {
  const struct {
    const char* Text;
    bool Read;
    uint8_t Addresses;
  } cases[] = {{"0", true, 0b0001},  {"0,2", true, 0b0101},  {"0123", true, 0b1111}, {"3; 1", true, 0b1010},
               {"None", true, 0},    {"", false, 0},         {",", false, 0},        {"4", false, 0},
               {"0-2", false, 0},    {"0,x", false, 0},      {"none,1", false, 0},   {"-1", false, 0}};
  for (const auto& c : cases) {
    uint8_t addresses = 0xFF;
    EXPECT_EQ(ParseCardAddresses(c.Text, addresses), c.Read) << c.Text;
    if (c.Read) EXPECT_EQ(addresses, c.Addresses) << c.Text;
    else EXPECT_EQ(addresses, 0xFF) << c.Text;
  }
}

TEST(VirtualBoardSettings, LongValuesAndManyProblemsStayWithinTheirBuffers) {
  const std::string longName(3000, 'x');
  std::string file = "record = C:\\" + longName + "\n";
  for (int i = 0; i < 100; ++i) file += "window = " + longName + "\n";
  TSources sources;
  sources.File = file.c_str();
  const TBoardSettings settings = Read(sources);
  EXPECT_STREQ(settings.Record, "");
  const std::string problems = settings.Problems;
  EXPECT_EQ(problems.size(), sizeof(settings.Problems) - 1);
  EXPECT_EQ(problems.rfind("k8055d.ini line 1: record \"C:\\xxx", 0), 0u);
  EXPECT_NE(problems.find("...\" is too long\nk8055d.ini line 2: window"), std::string::npos);
}

TEST(VirtualBoardSettings, FixedTextCutsWholeCharacters) {
  char buffer[8] = "";
  TFixedText text(buffer, sizeof(buffer));
  text << "ab" << "\xC3\xA9\xC3\xA9\xC3\xA9";  // "ab" and three é: only two fit
  EXPECT_STREQ(buffer, "ab\xC3\xA9\xC3\xA9");
  char numbers[64] = "";
  TFixedText(numbers, sizeof(numbers)) << int64_t{-12} << " " << INT64_MIN << " ";
  TFixedText(numbers, sizeof(numbers)).Padded(7, 3) << " ";
  TFixedText(numbers, sizeof(numbers)).Padded(1234, 3);
  EXPECT_STREQ(numbers, "-12 -9223372036854775808 007 1234");
}

// A board's pace and when boards are pulled out and plugged back in: read
// from the file, the environment winning; a schedule that is not one
// leaves the earlier source's whole.
TEST(VirtualBoardSettings, PaceAndUnplugTimes) {
  TSources sources;
  sources.File = "pace = 8\nunplug = 0@200-400, 3@5\n";
  TBoardSettings settings = Read(sources);
  EXPECT_STREQ(settings.Problems, "");
  EXPECT_EQ(settings.PaceMs, 8);
  EXPECT_EQ(settings.PaceOrigin, TSettingOrigin::File);
  EXPECT_EQ(settings.Unplug[0].At, 200u);
  EXPECT_EQ(settings.Unplug[0].Back, 400u);
  EXPECT_EQ(settings.Unplug[1].At, 0u);
  EXPECT_EQ(settings.Unplug[3].At, 5u);
  EXPECT_EQ(settings.Unplug[3].Back, 0u) << "never plugged in again";

  sources.Pace = "0";
  sources.Unplug = "1@7";
  settings = Read(sources);
  EXPECT_EQ(settings.PaceMs, 0);
  EXPECT_EQ(settings.PaceOrigin, TSettingOrigin::Environment);
  EXPECT_EQ(settings.Unplug[0].At, 0u) << "the variable's schedule replaces the file's";
  EXPECT_EQ(settings.Unplug[1].At, 7u);

  const std::string notOne = "\" is not a card address and call, such as 0@200 or 0@200-400, or none";
  const std::map<std::string, std::string> refused = {
      {"0@", notOne},
      {"0@x", notOne},
      {"@10", notOne},
      {"0 10", notOne},
      {"0@10-", notOne},
      {"0@99999999999", notOne},
      {"4@10", notOne + ": card addresses are 0 ... 3"},
      {"0@0", notOne + ": calls count from 1, such as 0@1"},
      // What would be accepted: the plug-in after the unplugging.
      {"0@10-10", notOne + ": the plug-in call after - must be later than the unplug call, such as 0@10-20"},
      {"2@400-200", notOne + ": the plug-in call after - must be later than the unplug call, such as 2@400-800"},
  };
  for (const auto& [bad, problem] : refused) {
    sources.Unplug = bad.c_str();
    settings = Read(sources);
    EXPECT_EQ(settings.Unplug[0].At, 200u) << bad << ": the file's counts";
    EXPECT_EQ(settings.UnplugOrigin, TSettingOrigin::File) << bad;
    EXPECT_EQ(std::string(settings.Problems), "VIRTUAL_K8055_UNPLUG \"" + bad + problem) << bad;
  }
  sources.Unplug = "none";
  settings = Read(sources);
  for (const TUnplugTimes& board : settings.Unplug) EXPECT_EQ(board.At, 0u);
}

}  // namespace

TEST(VirtualBoardSettings, ForwardNamesALibraryAsRecordNamesItsFileAndItsVariableWins) {
  TSources sources;
  sources.Variables = {{"VENDOR", "D:\\Driver"}};
  sources.File = "forward = %VENDOR%\\k8055d.dll\n";
  TBoardSettings settings = Read(sources);
  EXPECT_STREQ(settings.Forward, "D:\\Driver\\k8055d.dll");
  EXPECT_EQ(settings.ForwardOrigin, TSettingOrigin::File);
  EXPECT_STREQ(settings.Record, "");

  sources.File = "FORWARD = \"vendor\\k8055d.dll\"\n";  // relative: from the file's folder
  EXPECT_STREQ(Read(sources).Forward, "C:\\Host\\vendor\\k8055d.dll");

  sources.Forward = "E:\\other.dll";
  settings = Read(sources);
  EXPECT_STREQ(settings.Forward, "E:\\other.dll");
  EXPECT_EQ(settings.ForwardOrigin, TSettingOrigin::Environment);

  sources.Forward = nullptr;
  sources.File = "forward = %NOSUCH%\\k8055d.dll\n";
  settings = Read(sources);
  EXPECT_STREQ(settings.Forward, "");
  EXPECT_STREQ(settings.Problems,
               "k8055d.ini line 1: forward \"%NOSUCH%\\k8055d.dll\" names %NOSUCH%, which is not set");
}
