// The module's heap. Every allocation of the module goes through these two
// pointers, so tests can make any allocation fail.
#pragma once

#include <cstddef>

extern void* (*AllocateMemory)(size_t size);  // null on failure
extern void (*ReleaseMemory)(void* memory);   // accepts null
