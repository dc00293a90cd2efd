// A kernel32 function looked up at run time, for those newer than Windows
// XP: the module's imports stay those XP has. Null where Windows lacks it.
#pragma once

#include <windows.h>

template <typename TFunction>
TFunction Kernel32Function(const char* name) {
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}
