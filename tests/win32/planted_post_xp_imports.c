/* A program that cannot start on Windows XP, with one fault of each kind
   that tools/check_xp_imports.py looks for: a function added after XP
   (GetTickCount64), a DLL that XP lacks (dwmapi.dll) and a subsystem
   version above 5.1 (set where it is linked). Never run. */
#define _WIN32_WINNT 0x0600
#include <windows.h>
#include <dwmapi.h>

int main(void) { return (int)GetTickCount64() + (int)DwmFlush(); }
