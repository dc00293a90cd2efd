#include "virtual_board/record_lock_win32.h"

namespace {

// Whether the last line found the lock held past the wait: the holder has
// stalled, and lines try once until they have the lock again.
volatile bool HolderStalled = false;

OVERLAPPED LockRange() {
  OVERLAPPED range{};
  range.Offset = static_cast<DWORD>(RecordLockOffset);
  range.OffsetHigh = static_cast<DWORD>(RecordLockOffset >> 32);
  return range;
}

}  // namespace

bool LockRecordLine(HANDLE file) {
  const DWORD start = GetTickCount();
  for (int tries = 0;; ++tries) {
    OVERLAPPED range = LockRange();
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range)) {
      HolderStalled = false;
      return true;
    }
    // Another handle holds it; any other error: this file system has no locks.
    if (GetLastError() != ERROR_LOCK_VIOLATION || HolderStalled) return false;
    if (GetTickCount() - start >= RecordLockWaitMs) {
      HolderStalled = true;
      return false;
    }
    // A holder keeps the lock for one write: yield at first, then sleep.
    Sleep(tries < 50 ? 0 : 1);
  }
}

void UnlockRecordLine(HANDLE file) {
  OVERLAPPED range = LockRange();
  UnlockFileEx(file, 0, 1, 0, &range);
}
