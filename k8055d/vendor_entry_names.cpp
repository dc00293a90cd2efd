// The vendor library's exported names, in table order. Kept apart so a
// host program can check a library without the binding itself.
#include "k8055d/k8055d.h"

const char* const VendorEntryNames[LibraryEntryCount] = {
#define VENDOR_NAME(name, result, params, bytes, use) #name,
    LIBRARY_ENTRY_LIST(VENDOR_NAME)
#undef VENDOR_NAME
};
