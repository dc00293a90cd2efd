#include "test_host/diagnosis/no_window_error_win32.h"

#include <windows.h>

#include "test_host/text/windows_error_win32.h"
#include "test_host/diagnosis/no_window_text.h"

namespace {

// wine's ntdll exports its version; Windows' ntdll has no such function.
bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

std::string NoWindowError() {
  const DWORD code = GetLastError();
  return NoWindowText(UnderWine(), code == ERROR_SUCCESS ? "" : WindowsError(code));
}
