// Where the test host loads the module from and where it also looks for
// k8055d.dll: what a session needs of the command line (--module,
// --vendor-dir). UTF-8.
#pragma once

#include <string>

struct TLoadPaths {
  std::string ModulePath;  // empty: out_tarnwell.dll beside the program
  std::string VendorDir;   // empty: the loader's search order only
};
