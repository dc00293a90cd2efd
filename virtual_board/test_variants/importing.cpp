// Test-only variant of the virtual board that imports tarnwell_board_part.dll,
// a DLL that lies beside it (board_part.h): it loads only where the loader
// looks for its dependencies in its own folder.
#include <windows.h>

#include "virtual_board/test_variants/board_part.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  return reason != DLL_PROCESS_ATTACH || BoardPart() == BoardPartAnswer;
}
