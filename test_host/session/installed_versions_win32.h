// Which out_tarnwell.dll and k8055d.dll the test host would use, with their
// versions, read from their files without loading them; for the virtual
// board, also its settings. What --version prints, and info's versions.
#pragma once

#include <string>

#include "test_host/session/load_paths.h"

// A line each after linePrefix: the module's and k8055d.dll's version and
// path (the k8055d.dll loaded if there is one), then the virtual board's
// settings.
std::string DescribeInstalledVersions(const TLoadPaths& paths, const std::string& linePrefix);
