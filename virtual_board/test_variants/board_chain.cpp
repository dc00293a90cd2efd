// Test-only library (boards/test-recording/board_chain.dll) whose 21 entry
// points are forwarded exports to k8055d.dll: named as the forward library
// while the virtual board is the k8055d.dll loaded, its calls would come
// back to the virtual board through the chain, which the board refuses.
// The exports are all in its module definition file; it has no code of its
// own but this entry point.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
