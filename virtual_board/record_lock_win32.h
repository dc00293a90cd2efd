// The lock by which the processes recording into one call record take
// turns at its end: an exclusive lock (LockFileEx) on one byte of the file
// far beyond any record's end, around each line's write. Windows appends
// whole writes to a local file, but wine takes the end and then writes, and
// so may a network share, so two writers unlocked lose and garble lines.
// The lock belongs to the file itself, not to how its path is written: two
// spellings of one file (letter case, an 8.3 name, a mapped drive and its
// \\server\share name, a subst drive), two users' sessions, a service, an
// elevated and a normal process and two machines on one share all meet in
// it. Nothing is ever written at that byte, so readers of the record are
// never kept out.
#pragma once

#include <windows.h>

// The locked byte's offset: within what every file system and file sharing
// protocol can address, far past any file a disk holds.
inline constexpr ULONGLONG RecordLockOffset = 0x7FFFFFFF00000000ull;

// How long a line waits for a holder at most. A holder that stalls (a
// process stopped in a debugger) holds up another host's output once, for
// this long; then the stalled mode: while nothing has been written to the
// file since this process's last line, the holder is the stalled one, which
// writes nothing, and a line is written without the lock after one try, so
// nothing is lost. The mode ends at the first lock taken again; a file
// grown meanwhile (a live holder writes while it holds the lock) makes the
// line wait as any other does.
inline constexpr DWORD RecordLockWaitMs = 250;

// Takes the lock on file, which is open with GENERIC_READ (LockFileEx needs
// it). False when it is not had: held past the wait above or by the stalled
// holder, or the file system has no locks; the line is then written
// without it.
bool LockRecordLine(HANDLE file);

// After the line's write: gives back the lock when LockRecordLine took it,
// and notes where the file ends for the stalled mode.
void EndRecordLine(HANDLE file, bool locked);
