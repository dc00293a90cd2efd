// Why the vendor library k8055d.dll cannot be used, told the way a user can
// act on it. The test host looks for it where the module at modulePath
// looks, with the module's own search (k8055d/library_search.h and its
// Windows side), in the folders of this process: its own folder, the
// module's folder, the folder that --vendor-dir set, the system folders and
// PATH. Paths are UTF-8.
#pragma once

#include <string>

// Where the k8055d.dll in use was found, or empty when none is loaded.
std::string VendorLibraryPath();

// The first k8055d.dll in the module's search order, or empty when there is
// none.
std::string FindVendorLibrary(const std::string& modulePath);

// One or two sentences: not found (and where to put it), which file is not
// a 32-bit library and what it is instead, or which entry points it lacks.
std::string WhyVendorUnusable(const std::string& modulePath);
