// The virtual board's one lock. Any program may load the board and call it
// from any thread (a user's program may poll the inputs on a worker thread
// while another sends outputs), so every entry point holds the lock while
// it reads or changes the board's state: settings, boards, record, windows,
// the forwarded library. A forwarded call does not hold it inside the
// vendor's library, which takes a board's time and may call back. Recursive
// within a thread (a CRITICAL_SECTION, which Windows XP has), made at its
// first use, not at load time, and kept for the life of the process.
#pragma once

class TBoardLock {
 public:
  TBoardLock();
  ~TBoardLock();
  TBoardLock(const TBoardLock&) = delete;
  TBoardLock& operator=(const TBoardLock&) = delete;

 private:
  bool Held_;
};
