// Test-only stand-ins for the vendor's library whose entry points call
// those of a DLL they import, as a wrapper of the vendor's library would
// (boards/test-recording): board_importer.dll imports k8055d.dll,
// board_delay_importer.dll delay-loads it, importer_chain.dll imports
// board_importer.dll; each is this file linked to that DLL's import or
// delay-load library. In the virtual board's process k8055d.dll is the
// board itself, so each is refused as a forward library, before it is
// loaded: its calls would come back to the board.
#include "k8055d/vendor_entries.h"
#include "virtual_board/entry_thunks.h"

#define DECLARE_IMPORTED_ENTRY(name, result, params, bytes, use) \
  extern "C" __declspec(dllimport) K8055_STDCALL result name params;
LIBRARY_ENTRY_LIST(DECLARE_IMPORTED_ENTRY)
#undef DECLARE_IMPORTED_ENTRY

#define IMPORTER_EXPORT(name, result, params, bytes, use)                               \
  extern "C" const TVendorSignature<result params>::Pointer Importer##name##Handler; \
  const TVendorSignature<result params>::Pointer Importer##name##Handler = &name;     \
  EXPORT_ENTRY_THUNK(Importer, name, result, params)
LIBRARY_ENTRY_LIST(IMPORTER_EXPORT)
#undef IMPORTER_EXPORT
