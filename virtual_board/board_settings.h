// The virtual board's settings: the card addresses that answer, whether
// each open board gets a window, the file of the call record, the vendor's
// library that calls are forwarded to instead of virtual boards, how long a
// board takes for each transfer, and when boards are unplugged and plugged
// in again. They come
// from k8055d.ini beside the board's DLL (an INI file: "; notes", a
// [virtual board] section, "name = value" lines) and from environment
// variables, which win where they are set. A value that cannot be read is
// never dropped silently: it is named in Problems, and the next source's
// value counts instead (the file's, then the default).
//
// Portable: the Windows side (board_settings_win32.h) reads the file and
// the environment and hands them over as UTF-8 texts. Fixed buffers only,
// since the virtual board links no C++ library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "module/module_abi.h"
#include "virtual_board/fixed_text.h"

inline constexpr char BoardSettingsFile[] = "k8055d.ini";
inline constexpr char BoardsVariable[] = "VIRTUAL_K8055_BOARDS";
inline constexpr char WindowVariable[] = "VIRTUAL_K8055_WINDOW";
inline constexpr char RecordVariable[] = "VIRTUAL_K8055_TRACE";
inline constexpr char ForwardVariable[] = "VIRTUAL_K8055_FORWARD";
inline constexpr char PaceVariable[] = "VIRTUAL_K8055_PACE";
inline constexpr char UnplugVariable[] = "VIRTUAL_K8055_UNPLUG";

inline constexpr int32_t MaxPaceMs = 1000;

enum class TSettingOrigin : uint8_t { Default, File, Environment };

inline constexpr size_t SettingsTextSize = 1024;

// When a board is pulled out and put back, in calls to the library counted
// from its load: before call At is served the board is unplugged, before
// call Back it is plugged in again. 0: never.
struct TUnplugTimes {
  uint32_t At = 0;
  uint32_t Back = 0;
};

struct TBoardSettings {
  uint8_t Boards = 1;  // bit a set: card address a answers; by default address 0
  bool Window = false;
  char Record[SettingsTextSize] = "";  // the call record's file, UTF-8; empty: none
  char Forward[SettingsTextSize] = "";  // the vendor's library, UTF-8; empty: virtual boards
  int32_t PaceMs = 0;  // how long each transfer to or from a board takes, in milliseconds
  TUnplugTimes Unplug[CardAddressCount] = {};  // by card address
  TSettingOrigin BoardsOrigin = TSettingOrigin::Default;
  TSettingOrigin WindowOrigin = TSettingOrigin::Default;
  TSettingOrigin RecordOrigin = TSettingOrigin::Default;
  TSettingOrigin ForwardOrigin = TSettingOrigin::Default;
  TSettingOrigin PaceOrigin = TSettingOrigin::Default;
  TSettingOrigin UnplugOrigin = TSettingOrigin::Default;
  char Problems[SettingsTextSize] = "";  // what could not be read, a line each (no end after the last)
};

// Looks up an environment variable for a %NAME% in the file's paths:
// its value in UTF-8, false when it is not set.
using TVariableLookup = bool (*)(std::string_view name, char* value, size_t size, void* context);

struct TBoardSettingsSources {
  bool FileFound = false;
  std::string_view FileText;    // k8055d.ini in UTF-8 (a byte order mark is skipped)
  std::string_view FileFolder;  // where it is: a relative record path in it starts there
  const char* Boards = nullptr;  // the environment variables in UTF-8, null when not set
  const char* Window = nullptr;
  const char* Record = nullptr;
  const char* Forward = nullptr;
  const char* Pace = nullptr;
  const char* Unplug = nullptr;
  TVariableLookup Lookup = nullptr;
  void* LookupContext = nullptr;
};

// Applies the sources to settings, which start as TBoardSettings{} (and
// may hold problems met while reading the sources).
void ReadBoardSettings(const TBoardSettingsSources& sources, TBoardSettings& settings);

// A list of card addresses: the digits 0 ... 3, separated by commas,
// semicolons or blanks, or not at all ("0,2", "0123"), or "none". Sets bit
// a of addresses for each address a; false when the text is not such a list.
bool ParseCardAddresses(std::string_view text, uint8_t& addresses);

// A schedule of unplugging: "A@N" (card address A unplugged before call N)
// or "A@N-M" (and plugged in again before call M, M > N), several
// separated by commas, semicolons or blanks, or "none". False when the text
// is not such a schedule; then why is given, after ": ", what would be
// accepted where the item at fault shows it (an address above 3, call 0, a
// plug-in before the unplugging).
bool ParseUnplugTimes(std::string_view text, TUnplugTimes (&times)[CardAddressCount], TFixedText& why);

// Adds one line to settings.Problems.
void AddSettingsProblem(TBoardSettings& settings, std::string_view problem);
