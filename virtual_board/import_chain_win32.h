// Whether a would-be forward library would load k8055d.dll. In the virtual
// board's process that name is the virtual board itself (Windows gives a
// DLL that asks for k8055d.dll by name the module loaded under that name),
// so the library's calls would come back to the board, board, library,
// board, until the stack overflows. Read from the files before the library
// is loaded, so that no code of a library the board refuses runs, and the
// same in the test host's info and --version: the import and delay-load
// tables of the library and of each DLL they name that lies in its folder,
// where its own DLLs are taken from first (k8055d/library_loader_win32.h),
// at any depth. DLLs from elsewhere (the system's) are not followed; a
// library that loads k8055d.dll by name at run time is answered as it comes
// back (virtual_board/library_reentry_win32.h).
#pragma once

#include <cstddef>

// The longest name of a DLL beside the library that is followed, with its NUL.
inline constexpr size_t DllNameSize = 64;

// True when the library at path (a 32-bit DLL) would load k8055d.dll; then
// through is the name of the DLL beside it that names k8055d.dll, empty
// when the library does itself.
bool LoadsVendorLibrary(const wchar_t* path, char (&through)[DllNameSize]);
