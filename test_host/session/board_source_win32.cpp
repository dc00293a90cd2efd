#include "test_host/session/board_source_win32.h"

#include "test_host/diagnosis/file_version_win32.h"
#include "test_host/diagnosis/forward_report_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"
#include "test_host/text/wide_text_win32.h"
#include "virtual_board/board_settings_win32.h"

TBoardSource ReadBoardSource() {
  const std::string path = VendorLibraryPath();
  if (!IsVirtualBoard(ReadFileVersion(path))) {
    TBoardSource vendor;
    vendor.Library = path;
    return vendor;
  }
  TBoardSettings settings;
  LoadBoardSettings(Wide(path).c_str(), settings);
  return VirtualBoardSource(settings, settings.Forward[0] != '\0' ? ForwardRefusal(settings.Forward) : "");
}
