// A DLL of the test-only importing board's own, tarnwell_board_part.dll,
// lying beside its k8055d.dll, as a vendor library may bring one: the board
// imports it, so the board loads only where it is found.
#pragma once

inline constexpr int BoardPartAnswer = 42;

extern "C" int BoardPart();
