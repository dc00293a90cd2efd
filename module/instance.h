// The per-instance details behind the instance record (module_abi.h), the
// module's constant texts, and init / create / destroy.
#pragma once

#include <cstdint>

#include "k8055d/vendor_entries.h"
#include "module/module_abi.h"

// Per-instance state: the settings panel's controls (null while no panel is
// shown) and the instance's card (0 = none, 1 ... 4 = card address 0 ... 3).
class TDetails {
 public:
  void* GroupBox;
  void* AddressLabel;
  void* AddressCombo;
  int32_t Card;
};

inline constexpr char ModuleInformationText[] = "OVelleman K8055D|Hardware";
inline constexpr char ReadyCaption[] = "Velleman K8055D";
inline constexpr char UnusableCaption[] = "Cannot load " VENDOR_LIBRARY_FILE;
inline constexpr uint32_t ChannelNamesSize = 65535;

// init: the module information text into buffer. Returns characters written.
int32_t ModuleInformation(char* buffer, uint32_t size);

// create: a new instance, or null when memory runs out. The first call of
// the process loads the vendor library.
TOutputInstance* CreateInstance(int32_t hostTag);

// destroy: removes a panel still shown, then frees the instance. Null is ignored.
void DestroyInstance(TOutputInstance* instance);
