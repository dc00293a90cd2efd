// The event that lets closing_at_detach.dll's DLL_PROCESS_DETACH go on to
// its CloseDevice (closing_at_detach.cpp), named for the process.
#pragma once

#include <windows.h>

#include <cstdio>

inline void DetachGoEvent(char (&name)[64], DWORD process = GetCurrentProcessId()) {
  std::snprintf(name, sizeof(name), "tarnwell-detach-go-%lu", static_cast<unsigned long>(process));
}
