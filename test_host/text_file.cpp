#include "test_host/text_file.h"

#include <windows.h>

#include "test_host/text_encoding.h"
#include "test_host/wide_text.h"

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool read = file != INVALID_HANDLE_VALUE;
  text.clear();
  for (char buffer[65536]; read;) {
    DWORD count = 0;
    read = ReadFile(file, buffer, sizeof(buffer), &count, nullptr) != 0;
    if (count == 0) break;
    text.append(buffer, count);
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!read) {
    error = "cannot read " + path;
    return false;
  }
  std::string problem;
  if (!DecodeTextFile(text, problem)) error = path + " " + problem;
  return error.empty();
}
