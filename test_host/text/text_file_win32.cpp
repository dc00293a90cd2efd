#include "test_host/text/text_file_win32.h"

#include <windows.h>

#include <algorithm>

#include "test_host/text/windows_error_win32.h"
#include "test_host/text/text_encoding.h"
#include "test_host/text/wide_text_win32.h"

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool read = file != INVALID_HANDLE_VALUE;
  text.clear();
  DWORD code = read ? ERROR_SUCCESS : GetLastError();
  for (char buffer[65536]; read;) {
    DWORD count = 0;
    read = ReadFile(file, buffer, sizeof(buffer), &count, nullptr) != 0;
    if (!read) code = GetLastError();
    if (count == 0) break;
    text.append(buffer, count);
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!read) {
    error = "cannot read " + path + " (" + WindowsError(code, path) + ")";
    return false;
  }
  std::string problem;
  if (!DecodeTextFile(text, problem)) error = path + " " + problem;
  return error.empty();
}

bool WriteTextFile(const std::string& path, const std::string& text, std::string& error) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  bool done = file != INVALID_HANDLE_VALUE;
  for (size_t at = 0; done && at < text.size(); at += written) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - at, 1 << 20));
    done = WriteFile(file, text.data() + at, chunk, &written, nullptr) != 0 && written > 0;
  }
  const DWORD code = GetLastError();
  if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) done = false;
  if (!done) error = "cannot write " + path + " (" + WindowsError(code, path) + ")";
  return done;
}
