// The DLLs a 32-bit Windows library names in its import tables, read from
// its file's bytes without loading it: its imports, which Windows loads
// with it, and its delay-loaded DLLs, loaded at their first call. The
// virtual board reads them to tell, before loading a forward library,
// whether it would load k8055d.dll (import_chain_win32.h). Portable, so
// that the native tests reach it.
#pragma once

#include <string_view>

// Calls each(name, context) for each DLL that image (a PE32 file's bytes,
// as on disk) names in its import directory, then in its delay-load
// directory, in the tables' order. False when its headers or those tables
// do not lie within image (a damaged or cut file), after the names read
// until then.
bool ForEachImportedLibrary(std::string_view image, void (*each)(std::string_view name, void* context),
                            void* context);

// Whether an import table's name names the DLL file fileName ("k8055d.dll")
// as the loader reads it: without regard to letter case, and with ".dll"
// added to a name without an extension ("K8055D"); a trailing dot keeps a
// name without one.
bool NamesLibraryFile(std::string_view name, std::string_view fileName);
