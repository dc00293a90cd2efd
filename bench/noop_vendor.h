// A vendor table of functions that do nothing, and one open board, so the
// module's own cost can be measured.
#pragma once

// Binds the no-op table and opens card address 0 (card number 1).
void InstallNoOpVendor();
