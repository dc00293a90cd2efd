#include "test_host/console/exit_status_win32.h"

#include <windows.h>

#include "test_host/console/console_output_win32.h"
#include "test_host/text/wide_text_win32.h"

namespace {

bool InMessageBoxes = false;

}  // namespace

void Warn(const std::string& message) {
  if (InMessageBoxes) MessageBoxW(nullptr, Wide(message).c_str(), L"tarnwell_host", MB_OK | MB_ICONWARNING);
  else WriteErr("tarnwell_host: " + message + "\n");
}

void WarnInMessageBoxes() { InMessageBoxes = true; }

int Fail(int status, const std::string& message) {
  Warn(message);
  return status;
}
