// A board's time: the vendor's library waits for each USB transfer, about
// 8 ms for the boards' low-speed reports, and so the caller of a paced
// virtual board waits too, so that a preview shows whether a show keeps up
// with real boards.
#pragma once

#include <cstdint>

// Waits until paceMs milliseconds after start (a CallTime, in
// microseconds). While boards are paced the system timer ticks every
// millisecond (timeBeginPeriod), so that a wait of 8 ms does not take a
// default tick of 15.6 ms.
void TakeBoardTime(int64_t start, int32_t paceMs);

// No board is open: the timer's tick goes back to what it was.
void EndBoardTime();
