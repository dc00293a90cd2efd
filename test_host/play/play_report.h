// What play says once it ends: how many rows it sent and in what time,
// whether it fell behind its schedule (an update began late) or only sent
// the rows of one time one after another, late by the board's pace, with
// the updates a second the board keeps up with at that pace, and how many
// rows reached no board.
#pragma once

#include <cstddef>
#include <string>

#include "test_host/play/play_schedule.h"

// One line for each fact, each ending in "\n".
std::string DescribePlayEnd(const TPlayResult& result, size_t rowCount, size_t rowsNotDelivered);

// "12.3 s"
std::string Seconds(int64_t ms);
