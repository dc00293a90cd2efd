// The test host end to end: the real tarnwell_host.exe, the real module and
// the virtual board, checked by exit status, output and the board's call
// record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/test_host_run.h"
#include "version/tarnwell_version.h"

namespace {

using TCalls = std::vector<std::string>;

class TestHost : public ::testing::Test {
 protected:
  void TearDown() override { SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr); }
  TBoardTrace Trace;
};

TEST_F(TestHost, HelpAndBadCommandLines) {
  const THostRun help = RunHost({"--help"});
  EXPECT_EQ(help.Status, 0u);
  EXPECT_TRUE(Contains(help.Out, "Usage: tarnwell_host")) << help.Out;

  const THostRun version = RunHost({"--version"});
  EXPECT_EQ(version.Status, 0u);
  EXPECT_EQ(version.Out, "tarnwell_host " TARNWELL_VERSION_TEXT "\n"
                         "out_tarnwell.dll " TARNWELL_VERSION_TEXT ", " + TModuleHost::BinFolder() +
                             "\\out_tarnwell.dll\n"
                         "k8055d.dll not found\n");

  const THostRun none = RunHost({});  // no console of its own: not a double-click
  EXPECT_EQ(none.Status, 0u);
  EXPECT_EQ(none.Out, help.Out);
  EXPECT_EQ(none.Err, "");

  const THostRun unknown = RunHost({"blink"});
  EXPECT_EQ(unknown.Status, 2u);
  EXPECT_EQ(unknown.Err, "tarnwell_host: unknown command \"blink\" (try --help)\n");

  const THostRun badNumber = RunWithBoard({"set", "--channel", "12", "--value", "1"});
  EXPECT_EQ(badNumber.Status, 2u);
  EXPECT_EQ(badNumber.Err, "tarnwell_host: channel \"12\" is not a whole number from 1 to 10\n");
  EXPECT_EQ(badNumber.Out, "");
  EXPECT_TRUE(Trace.Calls().empty());
}

TEST_F(TestHost, InfoThroughTheLoadersSearchPath) {
  // No --vendor-dir: k8055d.dll found on PATH, as a host would find it.
  char path[4096];
  GetEnvironmentVariableA("PATH", path, sizeof(path));
  SetEnvironmentVariableA("PATH", (FullBoardFolder() + ";" + path).c_str());
  const THostRun run = RunHost({"info"});
  SetEnvironmentVariableA("PATH", path);

  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "info:     OVelleman K8055D|Hardware\n"
                                "caption:  Velleman K8055D\n"
                                "ready:    yes\n"
                                "k8055d:   " + FullBoardFolder() + "\\k8055d.dll\n"
                                "channels: 10\n"
                                "   1  Digital output 1 status\n"))
      << run.Out;
  EXPECT_TRUE(Contains(run.Out, "   8  Digital output 8 status\n"
                                "   9  Analog output 1 value\n"
                                "  10  Analog output 2 value\n"))
      << run.Out;
  EXPECT_TRUE(Trace.Calls().empty());  // finish closes nothing: no card was opened
}

TEST_F(TestHost, InfoSaysWhyTheVendorLibraryCannotBeUsed) {
  const THostRun missing = RunHost({"info"});
  EXPECT_EQ(missing.Status, 1u);
  EXPECT_TRUE(Contains(missing.Out, "caption:  Cannot load k8055d.dll\nready:    no\n"
                                    "why:      k8055d.dll was not found. Put the vendor's k8055d.dll beside the "
                                    "host program ("))
      << missing.Out;
  EXPECT_TRUE(Contains(missing.Out, "channels: 10\n")) << missing.Out;

  const THostRun incomplete = RunHost({"--vendor-dir", TModuleHost::BoardFolder("without-ReadCounter"), "info"});
  EXPECT_EQ(incomplete.Status, 1u);
  EXPECT_TRUE(Contains(incomplete.Out, "why:      " + TModuleHost::BoardFolder("without-ReadCounter") +
                                           "\\k8055d.dll lacks the entry point ReadCounter: it is not the K8055 "
                                           "driver library, or not a complete one.\n"))
      << incomplete.Out;
}

TEST_F(TestHost, ModuleThatCannotBeLoaded) {
  const THostRun absent = RunHost({"--module", "C:\\no\\such\\out_tarnwell.dll", "info"});
  EXPECT_EQ(absent.Status, 1u);
  EXPECT_EQ(absent.Err, "tarnwell_host: C:\\no\\such\\out_tarnwell.dll does not exist\n");

  const std::string board = FullBoardFolder() + "\\k8055d.dll";
  const THostRun notModule = RunHost({"--module", board, "info"});
  EXPECT_EQ(notModule.Status, 1u);
  EXPECT_EQ(notModule.Err, "tarnwell_host: " + board + " is not an output module: it has no export \"init\"\n");

  const THostRun noFolder = RunHost({"--vendor-dir", "C:\\no\\such\\folder", "info"});
  EXPECT_EQ(noFolder.Status, 2u);
  EXPECT_EQ(noFolder.Err, "tarnwell_host: --vendor-dir C:\\no\\such\\folder is not a folder\n");
}

TEST_F(TestHost, CardsTriesEveryAddressAsThePanelDoes) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,2");
  const THostRun run = RunWithBoard({"cards"});
  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_EQ(run.Out,
            "card  address  state\n"
            "   1        0  open\n"
            "   2        1  not available\n"
            "   3        2  open\n"
            "   4        3  not available\n");
  EXPECT_EQ(Trace.Calls(), (TCalls{"OpenDevice 0", "OpenDevice 1", "OpenDevice 2", "OpenDevice 3",
                                   "SetCurrentDevice 0", "CloseDevice", "SetCurrentDevice 2", "CloseDevice"}));

  const THostRun noVendor = RunHost({"cards"});
  EXPECT_EQ(noVendor.Status, 1u);
  EXPECT_TRUE(Contains(noVendor.Err, "tarnwell_host: Cannot load k8055d.dll: k8055d.dll was not found.")) << noVendor.Err;
  EXPECT_EQ(noVendor.Out, "");
}

TEST_F(TestHost, SetSendsOneBlockToOneChannel) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "2");
  const THostRun digital = RunWithBoard({"set", "--card", "3", "--channel", "8", "--value", "1"});
  EXPECT_EQ(digital.Status, 0u) << digital.Err;
  EXPECT_EQ(digital.Out,
            "sent to card 3 (address 2), channel 8 \"Digital output 8 status\": 1024 samples, mean 1\n"
            "the board should now show digital output 8 on\n");

  const THostRun analog = RunWithBoard({"set", "--card", "3", "--channel", "10", "--value", "65535"});
  EXPECT_EQ(analog.Status, 0u) << analog.Err;
  EXPECT_TRUE(Contains(analog.Out, "analog output 2 at 255\n")) << analog.Out;

  EXPECT_EQ(Trace.Calls(), (TCalls{"OpenDevice 2", "SetCurrentDevice 2", "SetDigitalChannel 8", "SetCurrentDevice 2",
                                   "CloseDevice", "OpenDevice 2", "SetCurrentDevice 2", "OutputAnalogChannel 2 255",
                                   "SetCurrentDevice 2", "CloseDevice"}));
}

TEST_F(TestHost, SetWithASamplesFile) {
  // 512 samples of 19 and 512 of 20: the mean 19.5 rounds to 20, level 1.
  std::string text;
  for (int i = 0; i < 1024; ++i) text += i < 512 ? "19\n" : "20,";
  TTempFile samples(text);
  const THostRun run = RunWithBoard({"set", "--channel", "9", "--samples", samples.Path()});
  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "1024 samples, mean 20\nthe board should now show analog output 1 at 1\n")) << run.Out;
  EXPECT_EQ(Trace.Calls(), (TCalls{"OpenDevice 0", "SetCurrentDevice 0", "OutputAnalogChannel 1 1",
                                   "SetCurrentDevice 0", "CloseDevice"}));
}

TEST_F(TestHost, SetRefusesBadSamplesAndAnUnusableVendorLibrary) {
  TTempFile bad("1 2 3\n4 five\n");
  const THostRun badValue = RunWithBoard({"set", "--channel", "1", "--samples", bad.Path()});
  EXPECT_EQ(badValue.Status, 2u);
  EXPECT_EQ(badValue.Err, "tarnwell_host: set: " + bad.Path() + " line 2: value \"five\" is not a whole number from 0 to 65535\n");

  const THostRun absent = RunWithBoard({"set", "--channel", "1", "--samples", "C:\\no\\such.txt"});
  EXPECT_EQ(absent.Status, 2u);
  EXPECT_EQ(absent.Err.rfind("tarnwell_host: set: cannot read C:\\no\\such.txt (Windows error 3: ", 0), 0u) << absent.Err;

  const THostRun noVendor = RunHost({"set", "--channel", "1", "--value", "1"});
  EXPECT_EQ(noVendor.Status, 1u);
  EXPECT_TRUE(Contains(noVendor.Err, "tarnwell_host: Cannot load k8055d.dll: k8055d.dll was not found.")) << noVendor.Err;
  EXPECT_EQ(noVendor.Out, "");
  EXPECT_TRUE(Trace.Calls().empty());
}

TEST_F(TestHost, PlayStreamsRowsToTheirCards) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,2");
  TTempFile rows(
      "time_ms,channel,value,card\n"
      "0,1,65535\n"
      "50,9,2000,3\n"
      "100,1,0\n");
  const THostRun run = RunWithBoard({"play", rows.Path()});
  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "playing " + rows.Path() + ": 3 rows over 0.1 s to cards 1, 3 (Ctrl+C stops)\n"
                                "played 3 rows in "))
      << run.Out;
  EXPECT_EQ(Trace.Calls(), (TCalls{"OpenDevice 0", "OpenDevice 2", "SetCurrentDevice 0", "SetDigitalChannel 1",
                                   "SetCurrentDevice 2", "OutputAnalogChannel 1 100", "SetCurrentDevice 0",
                                   "ClearDigitalChannel 1", "SetCurrentDevice 0", "CloseDevice",
                                   "SetCurrentDevice 2", "CloseDevice"}));
}

TEST_F(TestHost, PlaySendsNothingFromAFileWithABadRow) {
  TTempFile rows("0,1,65535\n100,2,65535\n200,11,0\n300,3,65535\n");
  const THostRun run = RunWithBoard({"play", rows.Path()});
  EXPECT_EQ(run.Status, 2u);
  EXPECT_EQ(run.Err, "tarnwell_host: play: " + rows.Path() + " line 3: channel \"11\" is not a whole number from 1 to 10\n");
  EXPECT_EQ(run.Out, "");
  EXPECT_TRUE(Trace.Calls().empty());

  const THostRun absent = RunWithBoard({"play", "C:\\no\\such.csv"});
  EXPECT_EQ(absent.Status, 2u);
  EXPECT_EQ(absent.Err.rfind("tarnwell_host: play: cannot read C:\\no\\such.csv (Windows error 3: ", 0), 0u) << absent.Err;
}

TEST_F(TestHost, PlayHelpPlaysAFileCalledHelp) {
  // help is the help only as the command word; here it is play's FILE, and
  // no such file is in the working folder.
  const THostRun run = RunWithBoard({"play", "help"});
  EXPECT_EQ(run.Status, 2u);
  EXPECT_EQ(run.Err.rfind("tarnwell_host: play: cannot read help (Windows error 2: ", 0), 0u) << run.Err;
  EXPECT_EQ(run.Out, "");
  EXPECT_TRUE(Trace.Calls().empty());
}

TEST_F(TestHost, PanelWindowClosedGivesTheSettingsText) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "2");
  THostProcess host({"--vendor-dir", FullBoardFolder(), "panel", "--settings", "3"});
  HWND window = host.WaitForWindow("TarnwellHostWindow");
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  const THostRun run = host.Wait();
  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "settings text:\n3\n")) << run.Out;
  const TCalls calls = Trace.Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls.front(), "OpenDevice 2");  // restored before the panel shows
  EXPECT_EQ(TCalls(calls.end() - 2, calls.end()), (TCalls{"SetCurrentDevice 2", "CloseDevice"}));
}

TEST_F(TestHost, PanelPickIsTheSettingsTextPrinted) {
  THostProcess host({"--vendor-dir", FullBoardFolder(), "panel"});
  HWND window = host.WaitForWindow("TarnwellHostWindow");
  ASSERT_NE(window, nullptr);
  HWND group = FindWindowExA(window, nullptr, nullptr, "Velleman K8055D Settings");
  ASSERT_NE(group, nullptr);
  HWND combo = FindWindowExA(group, nullptr, "ComboBox", nullptr);
  ASSERT_NE(combo, nullptr);
  // A user's pick of card address 1, as a tool makes it.
  SendMessageA(combo, CB_SETCURSEL, 2, 0);
  SendMessageA(group, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  PostMessageA(window, WM_CLOSE, 0, 0);
  const THostRun run = host.Wait();
  EXPECT_EQ(run.Status, 0u) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "settings text:\n2\n")) << run.Out;
}

}  // namespace
