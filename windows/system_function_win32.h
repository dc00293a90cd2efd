// A system function looked up at run time, for those newer than Windows XP:
// the imports stay those XP has. Null where Windows lacks it (or the
// library is not loaded).
#pragma once

#include <windows.h>

template <typename TFunction>
TFunction SystemFunction(HMODULE library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

template <typename TFunction>
TFunction Kernel32Function(const char* name) {
  return SystemFunction<TFunction>(GetModuleHandleA("kernel32.dll"), name);
}

template <typename TFunction>
TFunction User32Function(const char* name) {
  return SystemFunction<TFunction>(GetModuleHandleA("user32.dll"), name);
}
