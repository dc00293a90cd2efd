// The vendor's library that the virtual board forwards calls to (forward in
// its settings), loaded as the module loads k8055d.dll: by its full path,
// its own dependencies from its folder and never from the current
// directory, with no error box and the thread's floating-point state kept.
// It is refused, with the reason, when it is not a 32-bit DLL, would load
// k8055d.dll (import_chain_win32.h), lacks one of the 21 entry points the
// module looks up or is a virtual board itself (directly, or with entry
// points that lead into one): calls must reach the boards, never a
// stand-in. Its load and free run with the thread marked as inside it
// (library_reentry_win32.h).
// Shared by the virtual board and by the test host, whose info and
// --version tell what the board would do.
#pragma once

#include <windows.h>

#include "k8055d/vendor_entries.h"
#include "virtual_board/fixed_text.h"

// Every virtual board exports a function of this name, and no vendor's
// library does: the sign by which a forward library is known as one.
inline constexpr char VirtualBoardMarker[] = "VirtualK8055BoardMarker";

struct TForwardLibrary {
  HMODULE Module = nullptr;
  FARPROC Entries[LibraryEntryCount] = {};  // in the rows' order; null for an unused one it lacks
};

// Loads the library at path (UTF-8, absolute) into library. When it cannot
// be used, nothing stays loaded and problem gets one line, "forward library
// PATH is a 64-bit DLL: no board answers", and false is returned.
bool LoadForwardLibrary(const char* path, TForwardLibrary& library, TFixedText& problem);

// Frees a library that LoadForwardLibrary loaded (null: none), never under
// the loader's lock: called there (from a DllMain), a thread of its own
// frees it once the loader has let go.
void FreeForwardLibrary(HMODULE module);
