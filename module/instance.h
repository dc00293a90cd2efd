// The instance record that create returns and every instance export takes,
// the per-instance details behind it, and init / create / destroy.
#pragma once

#include <cstdint>

// Per-instance state: the settings panel's controls (null while no panel is
// shown) and the instance's card (0 = none, 1 ... 4 = card address 0 ... 3).
class TDetails {
 public:
  void* GroupBox;
  void* AddressLabel;
  void* AddressCombo;
  int32_t Card;
};

// The 60-byte record the host reads (little-endian, 32-bit pointers).
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

inline constexpr char ModuleInformationText[] = "OVelleman K8055D|Hardware";
inline constexpr char ReadyCaption[] = "Velleman K8055D";
inline constexpr char UnusableCaption[] = "Cannot load k8055d.dll";
inline constexpr uint32_t ChannelNamesSize = 65535;
inline constexpr int32_t ChannelCount = 10;

// init: the module information text into buffer. Returns characters written.
int32_t ModuleInformation(char* buffer, uint32_t size);

// create: a new instance, or null when memory runs out. The first call of
// the process loads the vendor library.
TOutputInstance* CreateInstance(int32_t hostTag);

// destroy: removes a panel still shown, then frees the instance. Null is ignored.
void DestroyInstance(TOutputInstance* instance);
