#include "virtual_board/address_list.h"

#include <windows.h>

#include "module/module_abi.h"
#include "virtual_board/board_settings.h"

bool AddressListed(const char* variable, int32_t address, bool whenUnset) {
  char list[64];
  const DWORD n = GetEnvironmentVariableA(variable, list, sizeof(list));
  if (n == 0) return whenUnset;
  uint8_t addresses = 0;
  return n < sizeof(list) && ParseCardAddresses(list, addresses) && IsCardAddress(address) &&
         (addresses >> address & 1) != 0;
}
