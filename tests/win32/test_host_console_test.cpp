// The test host's console corners: a console of its own whose standard
// handles, or output alone, are redirected is no double-click, and a
// console handle opened for writing only still gets text as text.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/win32/test_host_run.h"

namespace {

// A console of this process's own for the test, its standard handles kept
// as they were (the test's own output goes where it went), left at the end.
class TOwnConsole {
 public:
  TOwnConsole()
      : In_(GetStdHandle(STD_INPUT_HANDLE)), Out_(GetStdHandle(STD_OUTPUT_HANDLE)), Err_(GetStdHandle(STD_ERROR_HANDLE)) {
    FreeConsole();
    Made = AllocConsole() != 0;
    SetStdHandle(STD_INPUT_HANDLE, In_);
    SetStdHandle(STD_OUTPUT_HANDLE, Out_);
    SetStdHandle(STD_ERROR_HANDLE, Err_);
  }
  ~TOwnConsole() { FreeConsole(); }
  TOwnConsole(const TOwnConsole&) = delete;
  TOwnConsole& operator=(const TOwnConsole&) = delete;

  // The first characters of the console's top line.
  std::wstring TopLine(DWORD length) const {
    HANDLE screen = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    std::wstring line(length, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, &line[0], length, COORD{0, 0}, &read);
    CloseHandle(screen);
    line.resize(read);
    return line;
  }
  bool Made = false;

 private:
  HANDLE In_, Out_, Err_;
};

TEST(TestHostConsole, RedirectedHandlesInAConsoleOfItsOwnGetTheHelpNotAWindow) {
  const THostRun run = THostProcess({}, "", THostProcess::TConsole::OwnRedirected).Wait();
  EXPECT_EQ(run.Status, 0u);
  EXPECT_TRUE(Contains(run.Out, "Usage: tarnwell_host")) << run.Out;
  EXPECT_EQ(run.Err, "");
}

// Input still the console's, output alone redirected (a script's "> file")
// is no double-click either: the help goes to the file and the test host
// ends, where a double-click's window would wait for the user.
TEST(TestHostConsole, OnlyOutputRedirectedInAConsoleOfItsOwnGetsTheHelpNotAWindow) {
  const THostRun run = THostProcess({}, "", THostProcess::TConsole::OwnOutputRedirected).Wait();
  EXPECT_EQ(run.Status, 0u);
  EXPECT_TRUE(Contains(run.Out, "Usage: tarnwell_host")) << run.Out;
  EXPECT_EQ(run.Err, "");
}

TEST(TestHostConsole, AWriteOnlyConsoleGetsTextAsText) {
  TOwnConsole console;
  ASSERT_TRUE(console.Made);
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE writeOnly = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                 0, nullptr);
  ASSERT_NE(writeOnly, INVALID_HANDLE_VALUE);
  DWORD mode = 0;
  EXPECT_FALSE(GetConsoleMode(writeOnly, &mode)) << "no read access, no mode: the case this is about";
  // The unknown command's name, outside every ANSI code page, comes back
  // in the error on standard error.
  const THostRun run = THostProcess({"blink\xCE\xA9"}, "", THostProcess::TConsole::Shared, writeOnly, writeOnly).Wait();
  CloseHandle(writeOnly);
  EXPECT_EQ(run.Status, 2u);
  const std::wstring expected = L"tarnwell_host: unknown command \"blink\x03A9\" (try --help)";
  EXPECT_EQ(console.TopLine(static_cast<DWORD>(expected.size())), expected);
}

}  // namespace
