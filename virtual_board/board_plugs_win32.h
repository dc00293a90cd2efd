// Which virtual boards are plugged in. The user pulls a board out and puts
// it back from its window (on the windows' thread); the settings' unplug
// times do so at a call (on the caller's thread). At each call the caller's
// thread hands the model what happened since the last one: a board pulled
// out in between has lost its connection even when it is back already, as
// a real board's handle dies with its unplugging.
#pragma once

#include <cstdint>

#include "virtual_board/board_model.h"
#include "virtual_board/board_settings.h"

// Any thread.
void PullOut(int32_t address);
void PlugBackIn(int32_t address);
bool IsPulledOut(int32_t address);

// The caller's thread, before call number call (counted from the library's
// load) is served: applies the settings' unplug times for it, then gives
// model the boards plugged in, those of present not pulled out. Returns the
// boards whose plug changed since the last call (bit a for card address a).
uint8_t FollowPlugs(TBoardModel& model, uint8_t present, const TUnplugTimes (&times)[CardAddressCount],
                    uint32_t call);
