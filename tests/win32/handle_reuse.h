// Windows gives window handle values out again: the low word names a slot
// of the window table, the high word counts the slot's reuses (16 bits).
// A host that makes enough windows of its own gets any old value back.
#pragma once

#include <windows.h>

// Makes plain child windows of parent (and destroys them again) until the
// next window made would carry the handle value wanted, then makes that one
// with create. Returns it, or null when the value did not come round.
HWND MakeWindowWithHandle(HWND wanted, HWND parent, HWND (*create)(HWND parent));
