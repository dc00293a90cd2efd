// --version: the test host's own version, and the version of the module and
// of the k8055d.dll it would use, read from their files without loading
// them.
#include "test_host/commands.h"
#include "test_host/console_output.h"
#include "test_host/exit_status.h"
#include "test_host/file_version.h"
#include "test_host/module_session.h"
#include "test_host/vendor_check.h"

std::string DescribeInstalledVersions(const TCommand& command, const std::string& linePrefix) {
  const std::string module = ModulePathOf(command);
  const std::string loaded = VendorLibraryPath();
  return linePrefix + DescribeFileVersion("out_tarnwell.dll", ReadFileVersion(module)) + "\n" + linePrefix +
         DescribeFileVersion("k8055d.dll", ReadFileVersion(loaded.empty() ? FindVendorLibrary(module) : loaded)) + "\n";
}

int RunVersion(const TCommand& command) {
  std::string error;
  if (const int status = UseVendorDir(command, error)) return Fail(status, error);
  WriteOut(VersionText + DescribeInstalledVersions(command, ""));
  return ExitDone;
}
