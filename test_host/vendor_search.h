// Where the module looks for k8055d.dll, in its order, so that the test
// host names the file the module would load: the program's folder, the
// folder set with SetDllDirectory (if any), the 32-bit system folder, the
// Windows folder, then the folders on PATH that are absolute; never the
// current folder. Paths are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TVendorSearchPlaces {
  std::string ProgramFolder;
  std::string DllDirectory;  // empty: none set
  std::string SystemFolder;
  std::string WindowsFolder;
  std::string PathVariable;  // folders separated by ";"
};

std::vector<std::string> VendorSearchFolders(const TVendorSearchPlaces& places);

// "C:\..." or "\\server\...": a path that does not depend on the current
// folder or drive.
bool IsAbsoluteWindowsPath(std::string_view path);

// folder and file name with one backslash between them.
std::string JoinPath(std::string_view folder, std::string_view name);
