// --version: the test host's own version, and the version of the module and
// of the k8055d.dll it would use, read from their files without loading
// them; for the virtual board, also its settings.
#include "k8055d/vendor_entries.h"
#include "test_host/diagnosis/board_settings_report.h"
#include "test_host/commands/commands_win32.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/diagnosis/file_version_win32.h"
#include "test_host/diagnosis/forward_report_win32.h"
#include "test_host/session/module_session_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"
#include "test_host/text/wide_text_win32.h"
#include "virtual_board/board_settings_win32.h"

std::string DescribeInstalledVersions(const TCommand& command, const std::string& linePrefix) {
  const std::string module = ModulePathOf(command);
  const std::string loaded = VendorLibraryPath();
  const TFileVersion vendor = ReadFileVersion(loaded.empty() ? FindVendorLibrary(module) : loaded);
  std::string text = linePrefix + DescribeFileVersion("out_tarnwell.dll", ReadFileVersion(module)) + "\n" +
                     linePrefix + DescribeFileVersion(VendorLibraryName, vendor) + "\n";
  if (IsVirtualBoard(vendor)) {
    // What the board reads, from the same file and variables.
    TBoardSettings settings;
    LoadBoardSettings(Wide(vendor.Path).c_str(), settings);
    CheckCallRecord(settings);
    const std::string forwarded = CheckForwardLibrary(settings);
    text += DescribeBoardSettings(settings, linePrefix);
    if (!forwarded.empty()) text += linePrefix + forwarded + "\n";
  }
  return text;
}

int RunVersion(const TCommand& command) {
  std::string error;
  if (const int status = UseVendorDir(command, error)) return Fail(status, error);
  WriteOut(VersionText + DescribeInstalledVersions(command, ""));
  return ExitDone;
}
