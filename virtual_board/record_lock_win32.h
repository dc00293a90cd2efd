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
// this long; while it stays stalled, lines are written without the lock,
// each after one try, which loses nothing, since that holder writes nothing
// (two more writers meanwhile are not kept apart: a process holds the lock
// for one write only, so one stopped while it holds it is rare).
inline constexpr DWORD RecordLockWaitMs = 250;

// Takes the lock on file, which is open with GENERIC_READ (LockFileEx needs
// it). False when it is not had: held past the wait above, or the file
// system has no locks; the line is then written without it.
bool LockRecordLine(HANDLE file);

// Gives back the lock that LockRecordLine took.
void UnlockRecordLine(HANDLE file);
