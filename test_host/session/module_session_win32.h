// The module loaded by path as a host loads it, its nine exports bound by
// name. At the end the session destroys its instances, calls finish and
// frees the module, as a host does when it closes. Paths are UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "test_host/session/load_paths.h"
#include "test_host/session/module_api_win32.h"

class TModuleSession {
 public:
  TModuleSession() = default;
  TModuleSession(const TModuleSession&) = delete;
  TModuleSession& operator=(const TModuleSession&) = delete;
  ~TModuleSession();

  // Loads paths.ModulePath (default: beside the program), after adding
  // paths.VendorDir to the search path for k8055d.dll, and watches its
  // calls into k8055d.dll (vendor_call_watch_win32.h). Returns the exit status,
  // ExitDone when the module is loaded; otherwise sets error.
  int Load(const TLoadPaths& paths, std::string& error);
  // A new instance, or null (error set) when create gave none.
  TOutputInstance* Create(std::string& error);

  TModuleApi Api{};
  std::string Path;
  bool CallsWatched = false;  // the watch is in place

 private:
  HMODULE Module_ = nullptr;
  bool Bound_ = false;  // every export found
  std::vector<TOutputInstance*> Instances_;
};

// Adds paths.VendorDir, if given, to the search path for k8055d.dll
// (SetDllDirectory). Returns the exit status; error set when it is not a
// folder.
int UseVendorDir(const TLoadPaths& paths, std::string& error);

// The path of the module that paths names (default: beside the program),
// made absolute.
std::string ModulePathOf(const TLoadPaths& paths);

// Loads the module and creates one instance whose card the vendor library
// can drive; otherwise sets error, with the reason when k8055d.dll is the
// cause, and returns the exit status.
int CreateReadyInstance(const TLoadPaths& paths, TModuleSession& session, TOutputInstance*& instance,
                        std::string& error);
