// The exception that the test-only raising-open board raises in OpenDevice:
// the code a library written in Delphi raises its exceptions with, and two
// arguments, a marker and the card address.
#pragma once

#include <cstdint>

inline constexpr uint32_t RaisedExceptionCode = 0x0EEDFADE;
inline constexpr uint32_t RaisedArgumentCount = 2;
inline constexpr uint32_t RaisedMarker = 0x7A3E0001;
