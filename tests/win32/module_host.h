// Loads a fresh out_tarnwell.dll the way a host does, with the vendor
// library taken from one of the virtual board folders (or none), and reads
// the virtual board's call record. Freeing the module at the end gives the
// next test a module and a board in their load-time state.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "test_host/module_api.h"

class TModuleHost {
 public:
  // boardFolder: a folder below bin/boards ("full", "without-ReadCounter"),
  // or null for a machine without the vendor library.
  explicit TModuleHost(const char* boardFolder);
  ~TModuleHost();  // calls finish unless the test did, then frees the module

  TModuleApi Api{};
  HMODULE Module = nullptr;

  void Finish();
  // The calls the virtual board received so far, one "Name args" per line.
  std::vector<std::string> Calls() const;
  // Whether a k8055d.dll is loaded in this process right now.
  static bool VendorLibraryLoaded();
  static std::string BinFolder();

 private:
  std::string TracePath_;
  bool Finished_ = false;
};
