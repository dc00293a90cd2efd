#include "virtual_board/record_lock_win32.h"

namespace {

// Whether a line found the lock held past the wait and none has had it
// since: the holder has stalled. Lines come one at a time (the board's
// lock).
bool HolderStalled = false;
LONGLONG EndAfterLastLine = -1;  // where the file ended after this process's last line

OVERLAPPED LockRange() {
  OVERLAPPED range{};
  range.Offset = static_cast<DWORD>(RecordLockOffset);
  range.OffsetHigh = static_cast<DWORD>(RecordLockOffset >> 32);
  return range;
}

LONGLONG FileEnd(HANDLE file) {
  LARGE_INTEGER size{};
  return GetFileSizeEx(file, &size) ? size.QuadPart : -1;
}

}  // namespace

bool LockRecordLine(HANDLE file) {
  // Still the stalled holder when nobody has written since this process.
  const bool stalled = HolderStalled && FileEnd(file) == EndAfterLastLine;
  const DWORD start = GetTickCount();
  for (int tries = 0;; ++tries) {
    OVERLAPPED range = LockRange();
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range)) {
      HolderStalled = false;
      return true;
    }
    // Another handle holds it; any other error: this file system has no locks.
    if (GetLastError() != ERROR_LOCK_VIOLATION || stalled) return false;
    if (GetTickCount() - start >= RecordLockWaitMs) {
      HolderStalled = true;
      return false;
    }
    // A holder keeps the lock for one write: yield at first, then sleep.
    Sleep(tries < 50 ? 0 : 1);
  }
}

void EndRecordLine(HANDLE file, bool locked) {
  if (HolderStalled) EndAfterLastLine = FileEnd(file);
  if (!locked) return;
  OVERLAPPED range = LockRange();
  UnlockFileEx(file, 0, 1, 0, &range);
}
