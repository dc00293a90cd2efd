// The instance record as a host reads it: the fields the test host shows.
#pragma once

#include <cstdint>

struct THostRecord {
  int32_t HostTag;
  const char* Caption;
  uint8_t Ready;
  uint8_t Alignment[3];
  int32_t Reserved[5];
  int32_t ChannelCount;
  int32_t ExtraCount;
  const char* ChannelNames;
};

static_assert(sizeof(void*) != 4 || sizeof(THostRecord) == 44, "the first 44 bytes of the 60-byte record");
