#include "test_host/text/windows_error_win32.h"

#include <windows.h>

#include "test_host/text/message_inserts.h"
#include "test_host/text/wide_text_win32.h"

std::string WindowsError(unsigned long code, const std::string& path) {
  wchar_t text[256] = L"";
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof(text) / sizeof(text[0]), nullptr);
  std::string message = FillMessageInserts(Utf8(text), path.substr(path.find_last_of("\\/") + 1));
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
    message.pop_back();
  return "Windows error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}
