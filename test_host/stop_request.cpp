#include "test_host/stop_request.h"

namespace {

HANDLE Requested = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD) {
  SetEvent(Requested);
  return TRUE;
}

}  // namespace

HANDLE StopRequest() {
  if (Requested == nullptr) {
    Requested = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  }
  return Requested;
}
