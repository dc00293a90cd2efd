#include "test_host/diagnosis/library_file_win32.h"

#include <windows.h>

#include "k8055d/quiet_error_mode_win32.h"
#include "windows/image_kind.h"
#include "test_host/text/windows_error_win32.h"
#include "test_host/text/wide_text_win32.h"

namespace {

constexpr DWORD HeadBytes = 4096;  // holds the headers of any ordinary DLL

}  // namespace

// No system error box while the file is looked at (a path on an empty
// removable drive).
std::string WhyNotA32BitDll(const std::string& path) {
  TQuietErrorMode quiet;
  const std::wstring widePath = Wide(path);
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? DoesNotExist
                                                                        : "cannot be read (" + WindowsError(code, path) + ")";
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "is a folder";
  HANDLE file = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "cannot be read (" + WindowsError(GetLastError(), path) + ")";
  std::string head(HeadBytes, '\0');
  DWORD count = 0;
  const bool read = ReadFile(file, &head[0], HeadBytes, &count, nullptr) != 0;
  CloseHandle(file);
  if (!read) return "cannot be read";
  head.resize(count);
  return DescribeImageKind(ClassifyImage(head));
}
