// Whether a file can be loaded as a 32-bit DLL, told the way a user can act
// on it, for the module and for k8055d.dll. Paths are UTF-8.
#pragma once

#include <string>

// What keeps path from being a 32-bit DLL, to follow its name: "does not
// exist", "is a folder", "is empty", "is a 64-bit DLL", "is a program, not a
// DLL", ...; empty when it is a 32-bit DLL.
std::string WhyNotA32BitDll(const std::string& path);

// The words above for a file that does not exist.
inline constexpr char DoesNotExist[] = "does not exist";
