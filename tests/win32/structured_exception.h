// A host's try/except around a call, for structured exceptions (those a
// library written in Delphi raises): a 32-bit SEH frame of the caller's
// that catches whatever the call raises, after the frames above it have
// been unwound (their unwind handlers run), and hands back the record.
#pragma once

#include <windows.h>

// Runs work(context); true when an exception was caught, record set to it.
bool CatchStructuredException(void (*work)(void* context), void* context, EXCEPTION_RECORD& record);

template <typename TWork>
bool CatchStructuredException(TWork work, EXCEPTION_RECORD& record) {
  return CatchStructuredException([](void* w) { (*static_cast<TWork*>(w))(); }, &work, record);
}
