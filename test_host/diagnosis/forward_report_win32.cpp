#include "test_host/diagnosis/forward_report_win32.h"

#include "test_host/diagnosis/file_version_win32.h"
#include "virtual_board/forward_library_win32.h"

std::string ForwardRefusal(const char* forward) {
  TForwardLibrary library;
  char reason[1024] = "";
  TFixedText problem(reason, sizeof(reason));
  if (!LoadForwardLibrary(forward, library, problem)) return reason;
  FreeForwardLibrary(library.Module);
  return "";
}

std::string DescribeForwardLibrary(const char* forward) {
  return DescribeFileVersion("forwarded library", ReadFileVersion(forward));
}
