#include "virtual_board/board_pace_win32.h"

#include <windows.h>

#include "virtual_board/call_trace.h"

namespace {

bool FineTimer = false;  // timeBeginPeriod(1) is in effect

}  // namespace

void TakeBoardTime(int64_t start, int32_t paceMs) {
  if (paceMs <= 0) return;
  if (!FineTimer) FineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
  const int64_t deadline = start + int64_t{paceMs} * 1000;
  for (int64_t left; (left = deadline - CallTime()) > 0;)
    Sleep(left > 2000 ? static_cast<DWORD>(left / 1000 - 1) : 1);
}

void EndBoardTime() {
  if (FineTimer) timeEndPeriod(1);
  FineTimer = false;
}
