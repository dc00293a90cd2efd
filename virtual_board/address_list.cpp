#include "virtual_board/address_list.h"

#include <windows.h>

bool AddressListed(const char* variable, int32_t address, bool whenUnset) {
  char list[64];
  const DWORD n = GetEnvironmentVariableA(variable, list, sizeof(list));
  if (n == 0) return whenUnset;
  if (n >= sizeof(list)) return false;
  for (const char* p = list; *p; ++p)
    if (*p >= '0' && *p <= '3' && *p - '0' == address) return true;
  return false;
}
