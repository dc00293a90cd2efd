// The module as a host sees it: the 60-byte instance record that create
// returns, the nine cdecl exports and what action makes of a block of
// samples. The DLL's exports are checked against these types
// (out_tarnwell.cpp); the module, the test host and the tests take the
// block's facts from here. Plain C types only, so any host language can
// mirror them.
#pragma once

#include <cstdint>

class TDetails;  // the module's own per-instance object; opaque to a host
struct HWND__;   // a window of the host's, as Windows declares its handles

// The instance record (little-endian, 32-bit pointers). The host reads it;
// the module reads back only Details and ChannelNames.
struct TOutputInstance {
  int32_t HostTag;
  const char* Caption;
  uint8_t Ready;
  uint8_t Alignment[3];
  int32_t Reserved1, Reserved2, Reserved3, Reserved4, Reserved5;
  int32_t ChannelCount;
  int32_t ExtraCount;
  char* ChannelNames;
  const char* ExtraNames;
  TDetails* Details;
  int32_t Reserved6;
  int32_t Reserved7;
};

#if UINTPTR_MAX == 0xFFFFFFFFu
#include <cstddef>
static_assert(sizeof(TOutputInstance) == 60, "record is 60 bytes");
static_assert(offsetof(TOutputInstance, HostTag) == 0);
static_assert(offsetof(TOutputInstance, Caption) == 4);
static_assert(offsetof(TOutputInstance, Ready) == 8);
static_assert(offsetof(TOutputInstance, Reserved1) == 12);
static_assert(offsetof(TOutputInstance, Reserved2) == 16);
static_assert(offsetof(TOutputInstance, Reserved3) == 20);
static_assert(offsetof(TOutputInstance, Reserved4) == 24);
static_assert(offsetof(TOutputInstance, Reserved5) == 28);
static_assert(offsetof(TOutputInstance, ChannelCount) == 32);
static_assert(offsetof(TOutputInstance, ExtraCount) == 36);
static_assert(offsetof(TOutputInstance, ChannelNames) == 40);
static_assert(offsetof(TOutputInstance, ExtraNames) == 44);
static_assert(offsetof(TOutputInstance, Details) == 48);
static_assert(offsetof(TOutputInstance, Reserved6) == 52);
static_assert(offsetof(TOutputInstance, Reserved7) == 56);
#endif

#if defined(_WIN32) && defined(__i386__)
#define TARNWELL_CDECL __attribute__((__cdecl__))  // immune to the empty cdecl macro of <windows.h>
#else
#define TARNWELL_CDECL
#endif

// action takes one block of SamplesPerBlock samples (0 ... 65535) for one
// channel and sends their rounded mean: channels 1 ... DigitalChannels are
// digital outputs, on unless the mean is 0; the channels after them are
// analog outputs 1, 2, ... at mean / AnalogStep, at most AnalogMax (the
// boards' 8-bit outputs).
inline constexpr int32_t SamplesPerBlock = 1024;
inline constexpr int32_t DigitalChannels = 8;
inline constexpr int32_t AnalogStep = 20;
inline constexpr int32_t AnalogMax = 255;

using TWindowHandle = HWND__*;

// The exports' signatures: every argument one 32-bit stack word, pushed
// right to left and removed by the caller.
using TInitExport = int32_t(TARNWELL_CDECL*)(char* buffer, uint32_t size);
using TCreateExport = TOutputInstance*(TARNWELL_CDECL*)(int32_t hostTag);
using TDestroyExport = void(TARNWELL_CDECL*)(TOutputInstance* instance);
using TFinishExport = void(TARNWELL_CDECL*)();
using TActionExport = uint8_t(TARNWELL_CDECL*)(TOutputInstance* instance, int32_t channel, int32_t, int32_t,
                                               int32_t, const uint16_t* samples);
using TOpenExport = void(TARNWELL_CDECL*)(TOutputInstance* instance, const char* settings);
using TSaveExport = int32_t(TARNWELL_CDECL*)(TOutputInstance* instance, char* buffer, uint32_t size);
using TShowExport = void(TARNWELL_CDECL*)(TOutputInstance* instance, TWindowHandle parent);
using THideExport = void(TARNWELL_CDECL*)(TOutputInstance* instance);

// The exports by name (their ordinals are set in out_tarnwell.def).
#define MODULE_EXPORT_LIST(X) \
  X(init, TInitExport)        \
  X(create, TCreateExport)    \
  X(destroy, TDestroyExport)  \
  X(finish, TFinishExport)    \
  X(action, TActionExport)    \
  X(open, TOpenExport)        \
  X(save, TSaveExport)        \
  X(show, TShowExport)        \
  X(hide, THideExport)
