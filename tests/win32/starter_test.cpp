// The release's starter, try-virtual-board.cmd, run as a double-click runs
// it (the script itself as the program) from an unpacked release whose
// folder name holds blanks, parentheses and "&", with another current
// directory: it says what happens, opens try with boards 0 and 1 in their
// windows, and tells how the test host ended.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/test_host_run.h"

namespace {

struct TWindowsOf {
  std::wstring ProgramPrefix;  // the image path of the process, up to its folder
  std::map<std::string, std::vector<HWND>> Visible;  // by class
};

BOOL CALLBACK NoteWindow(HWND window, LPARAM param) {
  auto* windows = reinterpret_cast<TWindowsOf*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return TRUE;
  wchar_t image[MAX_PATH] = L"";
  DWORD length = MAX_PATH;
  const bool named = QueryFullProcessImageNameW(process, 0, image, &length);
  CloseHandle(process);
  char className[64] = "";
  if (named && std::wstring(image).rfind(windows->ProgramPrefix, 0) == 0 && IsWindowVisible(window) &&
      GetClassNameA(window, className, sizeof(className)))
    windows->Visible[className].push_back(window);
  return TRUE;
}

TEST(Starter, TriesTheVirtualBoardFromWhereverItIsStarted) {
  const std::string release = TempFolder() + "tarnwell release (1) & co";
  CreateDirectoryA(release.c_str(), nullptr);
  CreateDirectoryA((release + "\\virtual-board").c_str(), nullptr);
  const std::vector<std::pair<std::string, std::string>> files = {
      {STARTER_FILE, release + "\\try-virtual-board.cmd"},
      {HostProgram(), release + "\\tarnwell_host.exe"},
      {TModuleHost::BinFolder() + "\\out_tarnwell.dll", release + "\\out_tarnwell.dll"},
      {FullBoardFolder() + "\\k8055d.dll", release + "\\virtual-board\\k8055d.dll"},
  };
  for (const auto& [from, to] : files) ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from;

  TBoardTrace trace;
  THostProcess starter({}, release + "\\try-virtual-board.cmd");
  TWindowsOf windows{WidePath(release + "\\"), {}};
  for (int tries = 0; tries < 200; ++tries) {
    windows.Visible.clear();
    EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&windows));
    if (windows.Visible["TarnwellHostWindow"].size() == 1 && windows.Visible["VirtualK8055Board"].size() == 2) break;
    Sleep(100);
  }
  ASSERT_EQ(windows.Visible["TarnwellHostWindow"].size(), 1u) << "the try window";
  EXPECT_EQ(windows.Visible["VirtualK8055Board"].size(), 2u) << "a window for each of boards 0 and 1";
  PostMessageA(windows.Visible["TarnwellHostWindow"][0], WM_CLOSE, 0, 0);
  const THostRun end = starter.Wait();

  EXPECT_EQ(end.Status, 0u) << end.Out << end.Err;
  EXPECT_TRUE(Contains(end.Out, "Trying out_tarnwell.dll with the virtual board: two K8055 boards that\n")) << end.Out;
  EXPECT_TRUE(Contains(end.Out, "settings text:\n1\n")) << end.Out;
  EXPECT_TRUE(Contains(end.Out, "The test host ended: every change you made reached a board.\n")) << end.Out;
  EXPECT_EQ(trace.Calls(), (std::vector<std::string>{"OpenDevice 0", "OpenDevice 1", "OpenDevice 2", "OpenDevice 3",
                                                     "SetCurrentDevice 0", "CloseDevice", "SetCurrentDevice 1",
                                                     "CloseDevice"}))
      << "boards 0 and 1 answered, and finish closed them";

  for (auto it = files.rbegin(); it != files.rend(); ++it) DeleteFileA(it->second.c_str());
  RemoveDirectoryA((release + "\\virtual-board").c_str());
  RemoveDirectoryA(release.c_str());
}

TEST(Starter, OutsideAnUnpackedReleaseSaysWhatToDo) {
  // As Explorer runs it from inside the zip file: the script alone in a
  // temporary folder.
  const std::string alone = TempFolder() + "tarnwell starter alone";
  CreateDirectoryA(alone.c_str(), nullptr);
  const std::string script = alone + "\\try-virtual-board.cmd";
  ASSERT_TRUE(CopyFileA(STARTER_FILE, script.c_str(), FALSE));
  const THostRun run = THostProcess({}, script).Wait();
  DeleteFileA(script.c_str());
  RemoveDirectoryA(alone.c_str());
  EXPECT_EQ(run.Status, 1u);
  EXPECT_TRUE(Contains(run.Out, "Unpack the whole zip file\nfirst (right-click it, Extract All)")) << run.Out;
}

}  // namespace
