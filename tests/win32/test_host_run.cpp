#include "tests/win32/test_host_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/win32/module_host.h"

namespace {

std::string TempPath(const char* prefix) {
  char file[MAX_PATH];
  GetTempFileNameA(TempFolder().c_str(), prefix, 0, file);
  return file;
}

HANDLE InheritableFile(const std::string& path, bool read = false) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  return CreateFileA(path.c_str(), read ? GENERIC_READ : GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     read ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A console of this process's own, its input as an inheritable handle; the
// process's standard handles stay what they were.
HANDLE NewConsoleInput() {
  const HANDLE in = GetStdHandle(STD_INPUT_HANDLE), out = GetStdHandle(STD_OUTPUT_HANDLE),
               err = GetStdHandle(STD_ERROR_HANDLE);
  FreeConsole();
  EXPECT_TRUE(AllocConsole());
  SetStdHandle(STD_INPUT_HANDLE, in);
  SetStdHandle(STD_OUTPUT_HANDLE, out);
  SetStdHandle(STD_ERROR_HANDLE, err);
  HANDLE input = InheritableFile("CONIN$", true);
  DWORD mode = 0;
  EXPECT_TRUE(GetConsoleMode(input, &mode)) << "the console's input";
  return input;
}

// The file's text with "\r\n" line ends read as "\n".
std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  std::string text = content.str();
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

std::string Quoted(const std::string& arg) { return "\"" + arg + "\""; }

struct TWindowSearch {
  DWORD ProcessId;
  const char* ClassName;
  bool Hidden;
  HWND Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TWindowSearch*>(param);
  DWORD processId = 0;
  char className[64];
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->ProcessId || (!search->Hidden && !IsWindowVisible(window)) ||
      !GetClassNameA(window, className, sizeof(className)) || lstrcmpA(className, search->ClassName) != 0)
    return TRUE;
  search->Found = window;
  return FALSE;
}

}  // namespace

std::string HostProgram() { return TModuleHost::BinFolder() + "\\tarnwell_host.exe"; }
std::string FullBoardFolder() { return TModuleHost::BoardFolder("full"); }

THostProcess::THostProcess(const std::vector<std::string>& args, const std::string& program, TConsole console,
                           HANDLE output, HANDLE errors)
    : OutPath_(TempPath("tho")), ErrPath_(TempPath("the")) {
  std::string commandLine = Quoted(program.empty() ? HostProgram() : program);
  for (const std::string& arg : args) commandLine += " " + Quoted(arg);
  std::wstring wideCommandLine = WidePath(commandLine);
  // Only the output redirected: started in this process's new console and
  // left alone in it, as Task Scheduler or a shortcut to a script starts it.
  const bool consoleLeft = console == TConsole::OwnOutputRedirected;
  HANDLE in = consoleLeft ? NewConsoleInput() : InheritableFile("NUL", true), out = InheritableFile(OutPath_),
         err = InheritableFile(ErrPath_);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = console == TConsole::Own ? 0 : STARTF_USESTDHANDLES;
  startup.hStdInput = in;  // at its end at once: a "press any key" never waits
  startup.hStdOutput = output != nullptr ? output : out;
  startup.hStdError = errors != nullptr ? errors : err;
  const DWORD flags = consoleLeft ? CREATE_SUSPENDED : console == TConsole::Shared ? 0 : CREATE_NEW_CONSOLE;
  EXPECT_TRUE(CreateProcessW(nullptr, &wideCommandLine[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup,
                             &Process_))
      << commandLine;
  if (consoleLeft) {
    FreeConsole();
    ResumeThread(Process_.hThread);
  }
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
}

THostProcess::~THostProcess() {
  if (Process_.hProcess != nullptr) {
    if (WaitForSingleObject(Process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(Process_.hProcess, 99);
      WaitForSingleObject(Process_.hProcess, 5000);
    }
    CloseHandle(Process_.hProcess);
    CloseHandle(Process_.hThread);
  }
  DeleteFileA(OutPath_.c_str());
  DeleteFileA(ErrPath_.c_str());
}

HWND THostProcess::WaitForWindow(const char* className, bool hidden) const {
  TWindowSearch search{Process_.dwProcessId, className, hidden, nullptr};
  for (int tries = 0; tries < 200 && search.Found == nullptr; ++tries) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.Found == nullptr) Sleep(100);
  }
  return search.Found;
}

THostRun THostProcess::Wait() {
  THostRun run{99, "", ""};
  if (Process_.hProcess == nullptr) return run;
  EXPECT_EQ(WaitForSingleObject(Process_.hProcess, 60000), WAIT_OBJECT_0) << "the test host did not end";
  GetExitCodeProcess(Process_.hProcess, &run.Status);
  run.Out = FileText(OutPath_);
  run.Err = FileText(ErrPath_);
  return run;
}

THostRun RunHost(const std::vector<std::string>& args) { return THostProcess(args).Wait(); }

THostRun RunWithBoard(std::vector<std::string> args) {
  args.insert(args.begin(), {"--vendor-dir", FullBoardFolder()});
  return RunHost(args);
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TTempFile::TTempFile(const std::string& content) : Path_(TempPath("thf")) {
  std::ofstream(Path_, std::ios::binary) << content;
}

TTempFile::~TTempFile() { DeleteFileA(Path_.c_str()); }
