// Calls a function with 32-bit arguments pushed right to left, as a cdecl or
// stdcall caller does, and measures who removed them.
#pragma once

#include <cstdint>

// Returns how many bytes of arguments the callee removed: 0 for cdecl,
// 4 * count for stdcall. The callee's EAX is stored in *result.
extern "C" int32_t ArgumentBytesRemovedByCallee(const void* function, const uint32_t* args, int32_t count,
                                                uint32_t* result);
