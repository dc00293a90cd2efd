// Why the vendor library k8055d.dll cannot be used, told the way a user can
// act on it. The test host looks for it as the module does: by bare name,
// in the loader's search order of this process.
#pragma once

#include <string>

// Where the k8055d.dll in use was found, or empty when none is loaded.
std::string VendorLibraryPath();

// One or two sentences: not found (and where to put it), not a 32-bit
// library, or which entry points it lacks.
std::string WhyVendorUnusable();
