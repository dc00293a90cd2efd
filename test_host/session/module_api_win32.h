// The nine exports of an output module, bound by name as a host binds them.
#pragma once

#include <windows.h>

#include "module/module_abi.h"

struct TModuleApi {
#define MODULE_API_FIELD(name, type) type name;
  MODULE_EXPORT_LIST(MODULE_API_FIELD)
#undef MODULE_API_FIELD
};

// Looks up all nine exports of module; returns the first missing name, or
// null when every export was found.
inline const char* BindModuleApi(HMODULE module, TModuleApi& api) {
// (through void (*)(), the generic function pointer type, as FARPROC
// differs from every export's type)
#define MODULE_API_BIND(name, type)                                                                  \
  api.name = reinterpret_cast<type>(reinterpret_cast<void (*)()>(GetProcAddress(module, #name))); \
  if (api.name == nullptr) return #name;
  MODULE_EXPORT_LIST(MODULE_API_BIND)
#undef MODULE_API_BIND
  return nullptr;
}
