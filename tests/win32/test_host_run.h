// Runs the real tarnwell_host.exe as a user would, in a process of its own
// that inherits this process's environment (and so the virtual board's
// call record), with no input, and collects its exit status and output.
// Arguments, paths and output are UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/temp_folder.h"

struct THostRun {
  DWORD Status;
  std::string Out;
  std::string Err;
};

// The test host's path and the full virtual board's folder.
std::string HostProgram();
std::string FullBoardFolder();

// Runs the test host with args and waits for it (at most 60 s).
THostRun RunHost(const std::vector<std::string>& args);
// The same with the full virtual board's folder as --vendor-dir.
THostRun RunWithBoard(std::vector<std::string> args);

bool Contains(const std::string& text, const std::string& part);

// A running test host, for commands that wait for the user.
class THostProcess {
 public:
  // program: a copy of the test host elsewhere (or a script that starts
  // it), or empty for HostProgram().
  // console: this process's, or a console of its own with its standard
  // handles (as Explorer starts it on a double-click), redirected to files,
  // or with only its output and errors in files, its input the console's
  // (made by this process, which leaves it to the test host). output,
  // errors: inheritable handles for its standard output and error instead
  // of files (Out, Err stay empty).
  enum class TConsole { Shared, Own, OwnRedirected, OwnOutputRedirected };
  explicit THostProcess(const std::vector<std::string>& args, const std::string& program = "",
                        TConsole console = TConsole::Shared, HANDLE output = nullptr, HANDLE errors = nullptr);
  ~THostProcess();
  // The process's first top-level window of class, visible unless hidden
  // is asked for, waiting up to 20 s.
  HWND WaitForWindow(const char* className, bool hidden = false) const;
  HANDLE Process() const { return Process_.hProcess; }
  HANDLE MainThread() const { return Process_.hThread; }
  // Waits for the end (at most 60 s) and collects the result.
  THostRun Wait();

 private:
  PROCESS_INFORMATION Process_{};
  std::string OutPath_, ErrPath_;
};

// A small text file in the temporary folder, removed at the end.
class TTempFile {
 public:
  explicit TTempFile(const std::string& content);
  ~TTempFile();
  const std::string& Path() const { return Path_; }

 private:
  std::string Path_;
};
