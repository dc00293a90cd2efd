// Loads a fresh out_tarnwell.dll the way a host does, with the vendor
// library taken from one of the virtual board folders (or none), and reads
// the virtual board's call record. Freeing the module at the end gives the
// next test a module and a board in their load-time state.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "test_host/session/module_api_win32.h"

// A fresh temporary file, named in VIRTUAL_K8055_TRACE, into which the
// virtual board records every call it receives.
class TBoardTrace {
 public:
  TBoardTrace();
  ~TBoardTrace();
  // The calls so far, one "Name args" per line, without their times, what
  // they gave (a result, an exception, the time in a forwarded library, a
  // failed transfer) and the process's id.
  std::vector<std::string> Calls() const;
  // The record's lines as they are, "# session" lines and times included.
  std::vector<std::string> Lines() const;
  const std::string& Path() const { return Path_; }

 private:
  std::string Path_;
};

class TModuleHost {
 public:
  // boardFolder: a folder below bin/boards ("full", "without-ReadCounter"),
  // or null for a machine without the vendor library. modulePath: a copy
  // of out_tarnwell.dll elsewhere, or empty for the one in bin.
  explicit TModuleHost(const char* boardFolder, const std::string& modulePath = "");
  ~TModuleHost();  // calls finish unless the test did, then frees the module

  TModuleApi Api{};
  HMODULE Module = nullptr;

  void Finish();
  std::vector<std::string> Calls() const { return Trace_.Calls(); }
  const TBoardTrace& Trace() const { return Trace_; }
  // Whether a k8055d.dll is loaded in this process right now.
  static bool VendorLibraryLoaded();
  static std::string BinFolder();
  // A folder of bin/boards holding one variant of the virtual board.
  static std::string BoardFolder(const std::string& name);

 private:
  TBoardTrace Trace_;
  bool Finished_ = false;
};
