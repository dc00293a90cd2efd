// Plays rows to the boards in real time through the module's instances,
// as play, identify and off do, until the last row or a stop request.
#pragma once

#include <cstddef>
#include <vector>

#include "test_host/session/card_outputs_win32.h"
#include "test_host/play/play_schedule.h"

struct TPlayOutcome {
  TPlayResult Result;
  size_t RowsNotDelivered = 0;  // rows that reached no board
};

// With showProgress, a progress line on stderr when it is a console.
TPlayOutcome PlayToCards(const std::vector<TPlayRow>& rows, TCardOutputs& outputs, bool showProgress);

// All ten outputs of each card off at once; returns the rows that reached
// no board.
size_t SwitchAllOff(TCardOutputs& outputs, const std::vector<int32_t>& cards);
