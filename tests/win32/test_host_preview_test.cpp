// Previewing a show with the virtual board: what info and --version say
// about its settings, the call record's times against play's schedule, and
// the timeline of a played show.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/temp_folder.h"
#include "tests/win32/test_host_run.h"

namespace {

class TestHostPreview : public ::testing::Test {
 protected:
  void SetUp() override { ClearVariables(); }
  void TearDown() override { ClearVariables(); }
  static void ClearVariables() {
    for (const char* name : {"VIRTUAL_K8055_BOARDS", "VIRTUAL_K8055_WINDOW", "VIRTUAL_K8055_TRACE",
                             "VIRTUAL_K8055_UNPLUG"})
      SetEnvironmentVariableA(name, nullptr);
  }
};

TEST_F(TestHostPreview, InfoAndVersionTellTheVirtualBoardsSettingsAndWhatTheyCannotRead) {
  TTempFolder folder("tarnwell preview settings");
  folder.Copy(TModuleHost::BoardFolder("full") + "\\k8055d.dll", "k8055d.dll");
  folder.Write("k8055d.ini",
               "[virtual board]\r\nboards = 0,2\r\nwindow = sometimes\r\nrecord = missing\\calls.txt\r\n"
               "pace = 8\r\n");
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "on");
  SetEnvironmentVariableA("VIRTUAL_K8055_UNPLUG", "0@200-400 2@9");
  const std::string expected =
      "virtual board: card addresses 0 and 2 answer (k8055d.ini)\n"
      "               no windows (default)\n"
      "               call record " + folder.Path() + "\\missing\\calls.txt (k8055d.ini)\n"
      "               each command takes 8 ms (k8055d.ini)\n"
      "               card address 0 unplugged at call 200, plugged in again at call 400; card address 2 unplugged "
      "at call 9 (VIRTUAL_K8055_UNPLUG)\n"
      "virtual board problem: k8055d.ini line 3: window \"sometimes\" is not 0 (no windows) or 1 (a window for each "
      "open board)\n"
      "virtual board problem: VIRTUAL_K8055_WINDOW \"on\" is not 0 (no windows) or 1 (a window for each open board)\n"
      "virtual board problem: call record " + folder.Path() + "\\missing\\calls.txt cannot be opened: Windows error 3";
  const THostRun version = RunHost({"--vendor-dir", folder.Path(), "--version"});
  EXPECT_EQ(version.Status, 0u);
  EXPECT_TRUE(Contains(version.Out, "(the virtual board, not the vendor's driver library)\n" + expected))
      << version.Out;

  const THostRun info = RunHost({"--vendor-dir", folder.Path(), "info"});
  EXPECT_EQ(info.Status, 0u);
  std::string indented;  // the same lines in info's versions block
  for (size_t start = 0, end; start < expected.size(); start = end + 1) {
    end = std::min(expected.find('\n', start), expected.size());
    indented += "          " + expected.substr(start, end - start) + (end < expected.size() ? "\n" : "");
  }
  EXPECT_TRUE(Contains(info.Out, indented)) << info.Out;

  // The vendor's library gets no such lines.
  TTempFolder vendor("tarnwell preview vendor");
  vendor.Write("k8055d.dll", "");
  EXPECT_FALSE(Contains(RunHost({"--vendor-dir", vendor.Path(), "--version"}).Out, "virtual board"));
}

TEST_F(TestHostPreview, RecordTimesFollowPlaysSchedule) {
  TBoardTrace trace;
  const TTempFile rows("0,1,65535\n100,1,0\n250,1,65535\n400,1,0\n600,1,65535\n");
  const THostRun play = RunWithBoard({"play", rows.Path()});
  ASSERT_EQ(play.Status, 0u) << play.Err;
  std::vector<double> times;  // of the output calls, ms
  for (const std::string& line : trace.Lines())
    if (Contains(line, "DigitalChannel 1")) times.push_back(std::stod(line));
  const double schedule[] = {0, 100, 250, 400, 600};
  ASSERT_EQ(times.size(), 5u);
  // Never before its time after the first row, and not long after.
  for (size_t i = 1; i < times.size(); ++i) {
    EXPECT_GE(times[i] - times[0], schedule[i] - 20) << i;
    EXPECT_LE(times[i] - times[0], schedule[i] + 100) << i;
  }
}

std::string PageText(const std::string& path) {
  std::ifstream file(WidePath(path).c_str(), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST_F(TestHostPreview, TimelineOfAPlayedShow) {
  TTempFolder folder("tarnwell timeline \xE2\x9C\x93");  // "✓"
  const std::string record = folder.Add("calls.txt");
  const std::string show = folder.Write("show.csv", "0,1,65535,1\n0,9,2560,2\n200,1,0,1\n300,9,0,2\n");
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", WidePath(record).c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,1");
  ASSERT_EQ(RunWithBoard({"play", show}).Status, 0u);

  const THostRun timeline = RunHost({"timeline", record});
  EXPECT_EQ(timeline.Status, 0u) << timeline.Err;
  const std::string page = folder.Add("calls.html");
  EXPECT_EQ(timeline.Out, "wrote " + page + ": 1 session, 4 changes of the outputs; open it in a web browser\n");
  const std::string html = PageText(page);
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_TRUE(Contains(html, "<g class=\"board\" data-address=\"0\""));
  EXPECT_TRUE(Contains(html, "<g class=\"board\" data-address=\"1\""));
  EXPECT_TRUE(Contains(html, "<g class=\"lane\" data-kind=\"digital\" data-channel=\"1\" data-changes=\"2\""));
  EXPECT_TRUE(Contains(html, "<g class=\"lane\" data-kind=\"analog\" data-channel=\"1\" data-changes=\"2\""));

  const std::string out = folder.Add("\xE2\x9C\x93 page.html");
  const THostRun named = RunHost({"timeline", record, "--out", out});
  EXPECT_EQ(named.Status, 0u) << named.Err;
  EXPECT_EQ(PageText(out), html);
}

TEST_F(TestHostPreview, TimelineRefusesWhatItCannotReadOrWrite) {
  TTempFolder folder("tarnwell timeline refused");
  const std::string missing = folder.Path() + "\\none.txt";
  THostRun run = RunHost({"timeline", missing});
  EXPECT_EQ(run.Status, 2u);
  EXPECT_EQ(run.Err.rfind("tarnwell_host: timeline: cannot read " + missing + " (Windows error 2: ", 0), 0u) << run.Err;
  EXPECT_EQ(run.Err.substr(run.Err.size() - 2), ")\n") << run.Err;

  const std::string bad =
      folder.Write("bad.txt", "# session 2025-01-31 14:02:11.123\r\n0.000 OpenDevice 0\r\nOpenDevice 1\r\n");
  run = RunHost({"timeline", bad});
  EXPECT_EQ(run.Status, 2u);
  EXPECT_EQ(run.Err, "tarnwell_host: timeline: " + bad +
                         " line 3: the time \"OpenDevice\" is not a number of milliseconds such as 12.345\n");
  EXPECT_EQ(GetFileAttributesW(WidePath(folder.Path() + "\\bad.html").c_str()), INVALID_FILE_ATTRIBUTES);

  const std::string good = folder.Write("good.txt", "0.000 OpenDevice 0\r\n");
  const std::string unwritable = folder.Path() + "\\no folder\\page.html";
  run = RunHost({"timeline", good, "--out", unwritable});
  EXPECT_EQ(run.Status, 2u);
  EXPECT_TRUE(Contains(run.Err, "tarnwell_host: timeline: cannot write " + unwritable + " (Windows error 3"))
      << run.Err;
}

}  // namespace
