#include "test_host/diagnosis/forward_report_win32.h"

#include "test_host/diagnosis/file_version_win32.h"
#include "virtual_board/forward_library_win32.h"

std::string CheckForwardLibrary(TBoardSettings& settings) {
  if (settings.Forward[0] == '\0') return "";
  TForwardLibrary library;
  TFixedText problems(settings.Problems, sizeof(settings.Problems));
  if (!LoadForwardLibrary(settings.Forward, library, problems)) return "";
  FreeForwardLibrary(library.Module);
  return DescribeFileVersion("forwarded library", ReadFileVersion(settings.Forward));
}
