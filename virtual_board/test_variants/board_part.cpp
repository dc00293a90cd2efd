#include <windows.h>

#include "virtual_board/test_variants/board_part.h"

extern "C" __declspec(dllexport) int BoardPart() { return BoardPartAnswer; }
