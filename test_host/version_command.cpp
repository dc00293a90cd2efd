// --version: the test host's own version, and the version of the module and
// of the k8055d.dll it would use, read from their files without loading
// them; for the virtual board, also its settings.
#include "test_host/board_settings_report.h"
#include "test_host/commands.h"
#include "test_host/console_output.h"
#include "test_host/exit_status.h"
#include "test_host/file_version.h"
#include "test_host/module_session.h"
#include "test_host/vendor_check.h"
#include "test_host/wide_text.h"
#include "virtual_board/board_settings_win32.h"

std::string DescribeInstalledVersions(const TCommand& command, const std::string& linePrefix) {
  const std::string module = ModulePathOf(command);
  const std::string loaded = VendorLibraryPath();
  const TFileVersion vendor = ReadFileVersion(loaded.empty() ? FindVendorLibrary(module) : loaded);
  std::string text = linePrefix + DescribeFileVersion("out_tarnwell.dll", ReadFileVersion(module)) + "\n" +
                     linePrefix + DescribeFileVersion("k8055d.dll", vendor) + "\n";
  if (IsVirtualBoard(vendor)) {
    // What the board reads, from the same file and variables.
    TBoardSettings settings;
    LoadBoardSettings(Wide(vendor.Path).c_str(), settings);
    CheckCallRecord(settings);
    text += DescribeBoardSettings(settings, linePrefix);
  }
  return text;
}

int RunVersion(const TCommand& command) {
  std::string error;
  if (const int status = UseVendorDir(command, error)) return Fail(status, error);
  WriteOut(VersionText + DescribeInstalledVersions(command, ""));
  return ExitDone;
}
