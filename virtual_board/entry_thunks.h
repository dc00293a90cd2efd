// Exports a stdcall entry point that a C++ template implements, which has
// no C name of its own: the naked function <prefix><name> with the row's
// parameters (so that its C symbol is "_<prefix><name>@<bytes>", named in a
// module definition file as "name = <prefix><name>@<bytes>") is a single
// jump through the pointer <prefix><name>Handler, which the includer
// defines with C linkage. A jump leaves the caller's stack as it is, so the
// stdcall function it reaches takes the arguments and removes them itself.
// 32-bit x86 only, where the entry points are stdcall.
#pragma once

#include "k8055d/vendor_entries.h"

// A naked function's body is its assembly alone: its parameters are unused
// and it has no return statement.
#define EXPORT_ENTRY_THUNK(prefix, name, result, params)                                        \
  _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wunused-parameter\"")       \
      _Pragma("GCC diagnostic ignored \"-Wreturn-type\"") extern "C" __attribute__((naked))      \
      K8055_STDCALL result prefix##name params {                                                \
    asm("jmp *_" #prefix #name "Handler");                                                      \
  }                                                                                             \
  _Pragma("GCC diagnostic pop")
