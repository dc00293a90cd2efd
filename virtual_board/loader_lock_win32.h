// Whether this thread holds the loader's lock: it is inside a DllMain (a
// DLL of the host's calling the board as it is loaded or freed), where
// FreeLibrary must not be called (Microsoft's DLL best practices), and a
// library freed there could deadlock against a thread waiting for the
// board. Windows has no function that tells; the lock is the critical
// section that the process environment block names (its LoaderLock field,
// the same from Windows XP to 11 and in wine).
#pragma once

bool ThreadHoldsLoaderLock();
