// Test-only stand-in for the vendor's library, for the forwarding tests
// (boards/test-recording/recording_vendor.dll): every entry point under
// its name, as the vendor's library exports them, without the virtual
// board's marker. Every call it receives is appended to the file that
// VIRTUAL_K8055_RECEIVED names, one "Name args" line each, and it answers
// with results a test can tell from any other:
//   OpenDevice N: the number VIRTUAL_K8055_OPEN_ANSWERS gives for N
//     ("0=0,1=-1,2=7"), else N;
//   the other entry points with a result: RecordingAnswer(row, first argument);
//   ReadAllAnalog: RecordingAnswer(row, 1) and RecordingAnswer(row, 2);
//   ReadAll: RecordingAnswer(row, 1) ... RecordingAnswer(row, 8).
// Each call also leaves the caller's thread the x87 control word
// RecordingControlWord, MXCSR RecordingMxcsr and the thread error mode
// RecordingErrorMode, as a library built with another compiler may, and
// with VIRTUAL_K8055_LEAVE_PENDING "1" an x87 zero divide pending.
// VIRTUAL_K8055_HOLD names an entry point whose first call in the process
// sets the event RecordingHeldEvent names and waits for the one
// RecordingReleaseEvent names before it answers, so that a test knows a
// call to be inside the library. With VIRTUAL_K8055_LAST_ERROR "N", every
// call ends with SetLastError(N), as a library that reports its faults
// so. VIRTUAL_K8055_SLOW_CALLS "N:MS" makes every Nth call take MS milliseconds
// more, as a slow board or driver would (for the picture of a forwarded
// session's timeline). VIRTUAL_K8055_RAISE names an entry point whose calls
// raise the structured exception of raising_open.h (its argument the
// call's first). With VIRTUAL_K8055_CLOSE_ALL "1", SetCurrentDevice answers
// -1 from a CloseDevice until the next OpenDevice, as the vendor's library
// does after closing every board. With VIRTUAL_K8055_REENTER set, its
// OpenDevice N first loads k8055d.dll by name and calls its OpenDevice N, as
// a library whose code uses k8055d.dll itself would, and notes
// "k8055d.dll OpenDevice N = ANSWER" (in the virtual board's process
// k8055d.dll is the board).
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>

inline constexpr uint16_t RecordingControlWord = 0x0C7F;  // truncating, 24-bit precision
inline constexpr uint32_t RecordingMxcsr = 0x7F80;        // round toward zero, all masked
inline constexpr DWORD RecordingErrorMode = SEM_NOGPFAULTERRORBOX;

constexpr int32_t RecordingAnswer(int row, int32_t argument) { return 1000 * (row + 1) + argument; }

// The events of VIRTUAL_K8055_HOLD, named for the process.
inline void RecordingHeldEvent(char (&name)[64], DWORD process = GetCurrentProcessId()) {
  std::snprintf(name, sizeof(name), "tarnwell-recording-held-%lu", static_cast<unsigned long>(process));
}
inline void RecordingReleaseEvent(char (&name)[64], DWORD process = GetCurrentProcessId()) {
  std::snprintf(name, sizeof(name), "tarnwell-recording-release-%lu", static_cast<unsigned long>(process));
}
