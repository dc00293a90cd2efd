// Which threads are inside the virtual board's dealings with its forward
// library: its load, a forwarded call, its free. A call that comes back to
// the board from there (the library, or a DLL of its, calling k8055d.dll,
// which in this process is the virtual board) would loop board, library,
// board until the stack overflows; the board answers it as a refused
// library's call instead (board_exports_win32.cpp).
//
// The mark is the thread's id in a small table of the threads inside,
// taken and given back with interlocked operations: no TLS slot (a DLL
// loaded with LoadLibrary on Windows XP cannot use implicit TLS, and a slot
// of TlsAlloc would have to be given back at unload time, work that the
// board does not do there). A thread finding the table full is not marked.
#pragma once

// Whether this thread is inside now.
bool InsideForwardLibrary();

// Marks this thread as inside; returns whether it was already. A forwarded
// call, which a structured exception may leave without running a C++
// destructor (-fno-exceptions), ends the mark itself, also on that way.
bool EnterForwardLibrary();

// Ends the mark: wasInside is what EnterForwardLibrary returned (inside
// already, the outer mark ends it). The thread's last error is left as it
// was, here and above.
void LeaveForwardLibrary(bool wasInside);

// Marks this thread as inside while it lives, for the library's load and
// free, where the loader keeps exceptions in.
class TForwardLibraryMark {
 public:
  TForwardLibraryMark() : WasInside_(EnterForwardLibrary()) {}
  ~TForwardLibraryMark() { LeaveForwardLibrary(WasInside_); }
  TForwardLibraryMark(const TForwardLibraryMark&) = delete;
  TForwardLibraryMark& operator=(const TForwardLibraryMark&) = delete;

 private:
  bool WasInside_;
};
