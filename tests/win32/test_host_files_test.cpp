// The test host's files: paths outside the ANSI code page work everywhere,
// a module or k8055d.dll that is not a 32-bit DLL is named with what it is,
// Windows' error texts name the file, play reads the files of spreadsheets
// and PowerShell, and panel says why k8055d.dll cannot be used.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/temp_folder.h"
#include "tests/win32/test_host_run.h"
#include "version/tarnwell_version.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The bytes of a 32-bit DLL with the headers of a 64-bit one (machine
// AMD64, optional header PE32+): what Windows sees in a 64-bit DLL.
std::string SixtyFourBitHeaders(const std::string& dllPath) {
  std::string bytes = ReadBytes(dllPath);
  const uint32_t pe = *reinterpret_cast<const uint32_t*>(&bytes[0x3C]);
  bytes[pe + 4] = '\x64';
  bytes[pe + 5] = '\x86';
  bytes[pe + 24] = '\x0B';
  bytes[pe + 25] = '\x02';
  return bytes;
}

const std::string ModuleFile = TModuleHost::BinFolder() + "\\out_tarnwell.dll";
const std::string BoardFile = TModuleHost::BoardFolder("full") + "\\k8055d.dll";

class TestHostFiles : public ::testing::Test {
 protected:
  TBoardTrace Trace;
};

// The module and the virtual board beside it in a folder whose path is
// longer than MAX_PATH (a program cannot be started from there): the module
// finds the board in its own folder, and the test host names both paths
// whole (it once read the library's path into MAX_PATH characters).
TEST_F(TestHostFiles, PathsLongerThanMaxPath) {
  TTempFolder folder(std::string(150, 'l'));
  const std::string inner = std::string(150, 'm') + "\\";
  ASSERT_GT(folder.Add(inner.substr(0, 150), true).size(), static_cast<size_t>(MAX_PATH));
  const std::string module = folder.Copy(ModuleFile, inner + "out_tarnwell.dll");
  const std::string library = folder.Copy(BoardFile, inner + "k8055d.dll");

  const THostRun info = RunHost({"--module", module, "info"});
  EXPECT_EQ(info.Status, 0u) << info.Err;
  EXPECT_TRUE(Contains(info.Out, "module:   " + module + "\n")) << info.Out;
  EXPECT_TRUE(Contains(info.Out, "k8055d:   " + library + "\n")) << info.Out;
}

TEST_F(TestHostFiles, PathsOutsideTheAnsiCodePage) {
  // The test host and the module in a folder of their own, the virtual
  // board in a subfolder, and input files, all with such names.
  TTempFolder folder("\xC5\x81\xC3\xB3\x64\xC5\xBA \xE6\xB8\xAC\xE8\xA9\xA6 \xE2\x9C\x93");  // "Łódź 測試 ✓"
  const std::string host = folder.Copy(HostProgram(), "tarnwell_host.exe");
  const std::string module = folder.Copy(ModuleFile, "out_tarnwell.dll");
  const std::string boardFolder = folder.Add("p\xC5\x82ytka", true);  // "płytka"
  folder.Copy(BoardFile, "p\xC5\x82ytka\\k8055d.dll");
  const std::string rows = folder.Write("\xE2\x9C\x93.csv", "\xEF\xBB\xBFTime_ms,Channel,Value\r\n0,1,65535\r\n");
  std::string block;
  for (int i = 0; i < 1024; ++i) block += "20 ";
  const std::string samples = folder.Write("pr\xC3\xB3\x62ki.txt", block);

  const THostRun info = THostProcess({"--vendor-dir", boardFolder, "info"}, host).Wait();
  EXPECT_EQ(info.Status, 0u) << info.Err;
  EXPECT_TRUE(Contains(info.Out, "module:   " + module + "\n")) << info.Out;
  EXPECT_TRUE(Contains(info.Out, "k8055d:   " + boardFolder + "\\k8055d.dll\n")) << info.Out;

  const THostRun play = THostProcess({"--vendor-dir", boardFolder, "play", rows}, host).Wait();
  EXPECT_EQ(play.Status, 0u) << play.Err;
  EXPECT_TRUE(Contains(play.Out, "playing " + rows + ": 1 row over 0.0 s to card 1 (Ctrl+C stops)\n")) << play.Out;

  // The usual test host, given that module.
  const THostRun set = RunHost({"--module", module, "--vendor-dir", boardFolder, "set", "--channel", "9", "--samples",
                                samples});
  EXPECT_EQ(set.Status, 0u) << set.Err;
  EXPECT_TRUE(Contains(set.Out, "analog output 1 at 1\n")) << set.Out;
  EXPECT_EQ(Trace.Calls(), (std::vector<std::string>{"OpenDevice 0", "SetCurrentDevice 0", "SetDigitalChannel 1",
                                                     "SetCurrentDevice 0", "CloseDevice", "OpenDevice 0",
                                                     "SetCurrentDevice 0", "OutputAnalogChannel 1 1",
                                                     "SetCurrentDevice 0", "CloseDevice"}));

  const THostRun missing = RunHost({"play", folder.Path() + "\\\xE2\x9C\x97.csv"});  // "✗.csv"
  EXPECT_EQ(missing.Status, 2u);
  // With the system's reason: the file is not there.
  EXPECT_EQ(missing.Err.rfind("tarnwell_host: play: cannot read " + folder.Path() + "\\\xE2\x9C\x97.csv (Windows error 2: ", 0),
            0u)
      << missing.Err;
}

TEST_F(TestHostFiles, AModuleThatIsNotA32BitDllIsNamedWithWhatItIs) {
  TTempFolder folder("tarnwell module kinds");
  const struct {
    std::string Path;
    std::string What;
  } cases[] = {
      {folder.Write("out_tarnwell.dll", SixtyFourBitHeaders(ModuleFile)), "is a 64-bit DLL"},
      {folder.Write("empty.dll", ""), "is empty"},
      {folder.Write("text.dll", "not a library\n"), "is not a Windows library"},
      {HostProgram(), "is a program, not a DLL"},
      {folder.Path(), "is a folder"},
  };
  for (const auto& c : cases) {
    const THostRun run = RunWithBoard({"--module", c.Path, "info"});
    EXPECT_EQ(run.Status, 1u) << c.Path;
    EXPECT_EQ(run.Err, "tarnwell_host: " + c.Path + " " + c.What + "; the module must be the 32-bit out_tarnwell.dll\n");
  }
}

TEST_F(TestHostFiles, AVendorLibraryThatIsNotA32BitDllIsNamedWithWhatItIs) {
  const struct {
    const char* Folder;
    std::string Content;
    const char* What;
  } cases[] = {
      {"tarnwell 64-bit board", SixtyFourBitHeaders(BoardFile), "is a 64-bit DLL"},
      {"tarnwell empty board", "", "is empty"},
      {"tarnwell text board", "OpenDevice\n", "is not a Windows library"},
      // Windows loads a program by that name; it is named for what it is,
      // not for the 21 entry points it lacks.
      {"tarnwell program board", ReadBytes(HostProgram()), "is a program, not a DLL"},
  };
  for (const auto& c : cases) {
    TTempFolder folder(c.Folder);
    const std::string library = folder.Write("k8055d.dll", c.Content);
    const THostRun run = RunHost({"--vendor-dir", folder.Path(), "info"});
    EXPECT_EQ(run.Status, 1u) << c.Folder;
    EXPECT_TRUE(Contains(run.Out, "why:      " + library + " " + c.What +
                                      "; the module needs the 32-bit k8055d.dll that comes with the K8055 boards.\n"))
        << run.Out;
  }
}

TEST_F(TestHostFiles, WindowsErrorTextsNameTheFile) {
  // The headers of a whole DLL, the rest cut off: the loader refuses it
  // with a text whose insert is the file's name.
  TTempFolder folder("tarnwell cut board");
  folder.Write("k8055d.dll", ReadBytes(BoardFile).substr(0, 20000));
  const THostRun run = RunHost({"--vendor-dir", folder.Path(), "info"});
  EXPECT_EQ(run.Status, 1u);
  EXPECT_TRUE(Contains(run.Out, "\\k8055d.dll could not be loaded (Windows error 193: ")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "k8055d.dll).\n")) << run.Out;
  EXPECT_FALSE(Contains(run.Out, "%1")) << run.Out;
}

TEST_F(TestHostFiles, PlayReadsWhatASpreadsheetOrPowerShellSaves) {
  TTempFolder folder("tarnwell play files");
  std::string utf16 = "\xFF\xFE";  // as Windows PowerShell 5 writes with ">"
  for (char c : std::string("time_ms;channel;value\r\n0;3;65535\r\n")) utf16 += {c, '\0'};
  const std::string rows = folder.Write("rows.csv", utf16);
  const THostRun play = RunWithBoard({"play", rows});
  EXPECT_EQ(play.Status, 0u) << play.Err;
  EXPECT_EQ(Trace.Calls(), (std::vector<std::string>{"OpenDevice 0", "SetCurrentDevice 0", "SetDigitalChannel 3",
                                                     "SetCurrentDevice 0", "CloseDevice"}));

  const std::string workbook = folder.Write("rows.xlsx", std::string("PK\x03\x04\x14\x00\x06\x00", 8));
  const THostRun binary = RunWithBoard({"play", workbook});
  EXPECT_EQ(binary.Status, 2u);
  EXPECT_EQ(binary.Err, "tarnwell_host: play: " + workbook +
                            " is not a text file (it holds NUL bytes): save a spreadsheet as CSV\n");
}

TEST_F(TestHostFiles, VersionsOfTheFilesInUse) {
  const std::string virtualBoard = " (the virtual board, not the vendor's driver library)";
  const THostRun version = RunWithBoard({"--version"});
  EXPECT_EQ(version.Status, 0u) << version.Err;
  EXPECT_EQ(version.Out, "tarnwell_host " TARNWELL_VERSION_TEXT "\n"
                         "out_tarnwell.dll " TARNWELL_VERSION_TEXT ", " + ModuleFile + "\n"
                         "k8055d.dll " TARNWELL_VERSION_TEXT ", " + BoardFile + virtualBoard + "\n"
                         "virtual board: card address 0 answers (default)\n"
                         "               no windows (default)\n"
                         "               call record " + Trace.Path() + " (VIRTUAL_K8055_TRACE)\n"
                         "               each command at once (default)\n");

  const THostRun info = RunWithBoard({"info"});
  EXPECT_EQ(info.Status, 0u) << info.Err;
  EXPECT_TRUE(Contains(info.Out, "\nversions: tarnwell_host " TARNWELL_VERSION_TEXT "\n"
                                 "          out_tarnwell.dll " TARNWELL_VERSION_TEXT ", " + ModuleFile + "\n"
                                 "          k8055d.dll " TARNWELL_VERSION_TEXT ", " + BoardFile + virtualBoard + "\n"))
      << info.Out;

  TTempFolder folder("tarnwell unversioned board");
  const std::string library = folder.Write("k8055d.dll", "");
  const THostRun unversioned = RunHost({"--vendor-dir", folder.Path(), "--module", "C:\\none.dll", "--version"});
  EXPECT_EQ(unversioned.Status, 0u) << unversioned.Err;
  EXPECT_TRUE(Contains(unversioned.Out, "\nout_tarnwell.dll, C:\\none.dll does not exist\n"
                                        "k8055d.dll (no version resource), " + library + "\n"))
      << unversioned.Out;
}

std::string Unique(const std::string& name) { return name + " " + std::to_string(GetCurrentProcessId()); }

// The test host looks where the module that --module names looks: in that
// module's own folder too, and says so when it finds nothing.
TEST_F(TestHostFiles, AVendorLibraryBesideTheModuleIsFound) {
  TTempFolder plugins(Unique("tarnwell plug-ins"));
  const std::string module = plugins.Copy(ModuleFile, "out_tarnwell.dll");
  const std::string library = plugins.Copy(BoardFile, "k8055d.dll");
  const THostRun version = RunHost({"--module", module, "--version"});
  EXPECT_TRUE(Contains(version.Out, "\nk8055d.dll " TARNWELL_VERSION_TEXT ", " + library + " (the virtual board"))
      << version.Out;
  const THostRun info = RunHost({"--module", module, "info"});
  EXPECT_EQ(info.Status, 0u) << info.Out;
  EXPECT_TRUE(Contains(info.Out, "k8055d:   " + library + "\n")) << info.Out;
  DeleteFileW(WidePath(library).c_str());
  const THostRun missing = RunHost({"--module", module, "info"});
  EXPECT_TRUE(Contains(missing.Out, "why:      k8055d.dll was not found. Put the vendor's k8055d.dll beside the host "
                                    "program (" + TModuleHost::BinFolder() + "\\) or beside the module (" +
                                    plugins.Path() + "\\) or in the Windows system folder, or add its folder to "
                                    "PATH.\n"))
      << missing.Out;
}

// The module could not load the library: a DLL it imports lies only in the
// current directory, where the module has no dependency looked for. The
// test host's second load, made to say why, is the module's own, so it
// fails the same way instead of taking the DLL from there.
TEST_F(TestHostFiles, WhyNamesADependencyTheModuleDidNotFind) {
  TTempFolder plugins(Unique("tarnwell importing"));
  const std::string module = plugins.Copy(ModuleFile, "out_tarnwell.dll");
  const std::string library = plugins.Copy(TModuleHost::BoardFolder("test-importing") + "\\k8055d.dll", "k8055d.dll");
  TTempFolder current(Unique("tarnwell current"));
  current.Copy(TModuleHost::BoardFolder("test-importing") + "\\tarnwell_board_part.dll", "tarnwell_board_part.dll");
  THostRun run;
  {
    TScopedCurrentDirectory moved(current.Path());
    run = RunHost({"--module", module, "info"});
  }
  EXPECT_EQ(run.Status, 1u);
  EXPECT_TRUE(Contains(run.Out, "why:      " + library + " needs a library that is missing; reinstall the vendor's "
                                                       "driver.\n"))
      << run.Out;
}

TEST_F(TestHostFiles, PanelSaysWhyTheVendorLibraryCannotBeUsed) {
  // The panel shows all the same, as in a host; the reason comes first, and
  // the status tells once the window is closed.
  THostProcess host({"panel"});
  HWND window = host.WaitForWindow("TarnwellHostWindow");
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  const THostRun run = host.Wait();
  EXPECT_EQ(run.Status, 1u);
  EXPECT_TRUE(Contains(run.Err, "tarnwell_host: Cannot load k8055d.dll: k8055d.dll was not found.")) << run.Err;
  EXPECT_TRUE(Contains(run.Out, "settings text:\n0\n")) << run.Out;
}

}  // namespace
