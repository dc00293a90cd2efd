// Runs the real tarnwell_host.exe as a user would, in a process of its own
// that inherits this process's environment (and so the virtual board's
// call record), and collects its exit status and output.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

// A running test host, for commands that wait for the user.
class THostProcess {
 public:
  explicit THostProcess(const std::vector<std::string>& args);
  ~THostProcess();
  // The process's first visible top-level window of class, waiting up to 20 s.
  HWND WaitForWindow(const char* className) const;
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
