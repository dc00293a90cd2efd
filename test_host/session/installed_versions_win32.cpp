#include "test_host/session/installed_versions_win32.h"

#include "k8055d/vendor_entries.h"
#include "test_host/diagnosis/board_settings_report.h"
#include "test_host/diagnosis/file_version_win32.h"
#include "test_host/diagnosis/forward_report_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"
#include "test_host/session/module_session_win32.h"
#include "test_host/text/wide_text_win32.h"
#include "virtual_board/board_settings_win32.h"

std::string DescribeInstalledVersions(const TLoadPaths& paths, const std::string& linePrefix) {
  const std::string module = ModulePathOf(paths);
  const std::string loaded = VendorLibraryPath();
  const TFileVersion vendor = ReadFileVersion(loaded.empty() ? FindVendorLibrary(module) : loaded);
  std::string text = linePrefix + DescribeFileVersion("out_tarnwell.dll", ReadFileVersion(module)) + "\n" +
                     linePrefix + DescribeFileVersion(VendorLibraryName, vendor) + "\n";
  if (IsVirtualBoard(vendor)) {
    // What the board reads, from the same file and variables.
    TBoardSettings settings;
    LoadBoardSettings(Wide(vendor.Path).c_str(), settings);
    CheckCallRecord(settings);
    const bool forwards = settings.Forward[0] != '\0';
    const std::string refusal = forwards ? ForwardRefusal(settings.Forward) : "";
    if (!refusal.empty()) AddSettingsProblem(settings, refusal);
    text += DescribeBoardSettings(settings, !refusal.empty(), linePrefix);
    if (forwards && refusal.empty()) text += linePrefix + DescribeForwardLibrary(settings.Forward) + "\n";
  }
  return text;
}
