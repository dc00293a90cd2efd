// Runs a call inside a 32-bit SEH frame of its own, to learn when a
// structured exception raised in it unwinds past: a library written in a
// language with exceptions of its own (Delphi) raises them through its
// exports, and code built without C++ exceptions runs no destructor then.
// The exception travels on unchanged; only the note runs on the way, while
// the frames above the call are still there.
#pragma once

#include <windows.h>

using TNotedRun = void (*)(void* context);
using TUnwindNote = void (*)(void* context, DWORD exceptionCode);

void RunNotingUnwind(TNotedRun run, TUnwindNote unwound, void* context);
