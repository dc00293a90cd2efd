// What --version and info say about the files in use: the module's and
// k8055d.dll's version from their version resources, and whether that
// k8055d.dll is the virtual board rather than the vendor's library.
#pragma once

#include <string>

struct TFileVersion {
  std::string Path;          // empty: no such file was found
  bool Exists = false;
  bool HasResource = false;  // a version resource was read
  std::string Version;       // "1.0.0.0", from the fixed part
  std::string Description;   // FileDescription
  std::string Company;       // CompanyName
};

// The virtual board's version resource names it so, and its makers.
bool IsVirtualBoard(const TFileVersion& file);

// One line without its end: "k8055d.dll 1.0.0.0, PATH (the virtual board,
// not the vendor's driver library)", "k8055d.dll not found",
// "out_tarnwell.dll, PATH does not exist".
std::string DescribeFileVersion(const std::string& name, const TFileVersion& file);
