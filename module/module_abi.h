// The module as a host sees it: the 60-byte instance record that create
// returns, the nine cdecl exports with their contracts, the boards' shape,
// what action makes of a block of samples and where the settings panel
// goes. The DLL's exports are checked against these types
// (out_tarnwell.cpp); the module, the panel, the test host, the virtual
// board and the tests take these facts from here. Plain C types only, so
// any host language can mirror them.
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

// The boards' shape: card addresses 0 ... CardAddressCount - 1 (the
// settings' card numbers 1 ... CardAddressCount), each board with
// DigitalChannels digital outputs and AnalogChannels analog outputs of
// 0 ... AnalogMax (8 bits). The module's channels 1 ... ChannelCount are
// the digital outputs, then the analog outputs 1, 2, ...
inline constexpr int32_t CardAddressCount = 4;
inline constexpr int32_t DigitalChannels = 8;
inline constexpr int32_t AnalogChannels = 2;
inline constexpr int32_t ChannelCount = DigitalChannels + AnalogChannels;
inline constexpr int32_t AnalogMax = 255;
inline constexpr bool IsCardAddress(int32_t address) { return address >= 0 && address < CardAddressCount; }

// action takes one block of SamplesPerBlock samples (0 ... 65535) for one
// channel and sends their rounded mean: a digital output is on unless the
// mean is 0, an analog output gets mean / AnalogStep, at most AnalogMax.
inline constexpr int32_t SamplesPerBlock = 1024;
inline constexpr int32_t AnalogStep = 20;

// Where show puts the settings panel in the host's window: its client
// coordinates and size in pixels, whatever the display's scaling.
struct TPanelBounds {
  int32_t Left, Top, Width, Height;
};
inline constexpr TPanelBounds PanelBounds{4, 4, 728, 176};

using TWindowHandle = HWND__*;

// The exports' signatures, each with its contract: when the host may call
// it, on which thread, what process-wide state it touches, what it does
// with bad input. Every argument is one 32-bit stack word, pushed right to
// left and removed by the caller.
//
// The order of calls: init at any time; create for each instance; then per
// instance, in any order and number, open, save, action and pairs of show
// and hide; destroy for each instance; finish once, last.
//
// Threads: the module has no thread, timer or lock of its own. The host
// makes one call at a time; show, hide and the panel's pick handler run on
// the thread that runs the host's windows, and no other export runs while
// the pick handler does. Process-wide state, shared by all instances: the
// driver binding (k8055d/k8055d.h: the vendor library and its entry points,
// whether it was tried and is usable) and the card slots
// (module/card_slots.h: each card address's board, tried once). No export
// lets a C++ exception out, and a failed allocation gives null, never a
// crash.

// init: any time, also before create; any thread. Copies the module's
// information text, at most size characters and a NUL, into buffer and
// returns the characters copied; a null buffer gets nothing and gives 0.
// Touches no state.
using TInitExport = int32_t(TARNWELL_CDECL*)(char* buffer, uint32_t size);

// create: before any other call for the instance. The first call of the
// process binds the vendor library (driver binding); later calls only read
// whether it is usable (Ready, Caption). Returns a new instance, or null
// when memory runs out.
using TCreateExport = TOutputInstance*(TARNWELL_CDECL*)(int32_t hostTag);

// destroy: after create, on the windows' thread if a panel is still shown.
// Removes the panel and frees the instance; leaves the card slots and the
// driver binding alone. Null is ignored.
using TDestroyExport = void(TARNWELL_CDECL*)(TOutputInstance* instance);

// finish: once, last, after every destroy. Closes the open boards (card
// slots) and frees the vendor library (driver binding); a repeated call
// does nothing.
using TFinishExport = void(TARNWELL_CDECL*)();

// action: between create and destroy, as often as the host outputs.
// Reads the card slots; selects the instance's board and sends one command
// through the driver. Sends nothing for a null instance or samples, a
// channel outside 1 ... ChannelCount, an instance without an open board or
// an unusable driver. Always returns 0.
using TActionExport = uint8_t(TARNWELL_CDECL*)(TOutputInstance* instance, int32_t channel, int32_t, int32_t,
                                               int32_t, const uint16_t* samples);

// open: between create and destroy. Restores the card from the text before
// the first ","; a card 1 ... CardAddressCount opens its slot (card slots,
// OpenDevice) if never tried. A text that is not strict decimal, or null,
// gives card 0 (none); a null instance is ignored.
using TOpenExport = void(TARNWELL_CDECL*)(TOutputInstance* instance, const char* settings);

// save: between create and destroy. Writes the card number in decimal, at
// most size characters and a NUL, into buffer and returns the characters
// written; a null buffer or instance gives 0. Touches no process-wide state.
using TSaveExport = int32_t(TARNWELL_CDECL*)(TOutputInstance* instance, char* buffer, uint32_t size);

// show: between create and destroy, on the thread that runs parent's
// messages. Embeds the settings panel at PanelBounds, replacing one shown
// already, and tries every card slot never tried (card slots, OpenDevice);
// the pick handler it installs later opens the picked card's slot on that
// thread. A parent that is not a window, or a null instance, is ignored; a
// parent that refuses the panel leaves none.
using TShowExport = void(TARNWELL_CDECL*)(TOutputInstance* instance, TWindowHandle parent);

// hide: after show, on the same thread. Removes the panel; without one, or
// for a null instance, does nothing. Touches no process-wide state.
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
