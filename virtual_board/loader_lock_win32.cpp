#include "virtual_board/loader_lock_win32.h"

#include <windows.h>

namespace {

static_assert(sizeof(void*) == 4, "the 32-bit process environment block");

// The process environment block, which the thread's block names at fs:0x30.
const char* ProcessBlock() {
  const char* peb;
  asm("movl %%fs:0x30, %0" : "=r"(peb));
  return peb;
}

// PEB.LoaderLock, a RTL_CRITICAL_SECTION* whose OwningThread is the id of
// the thread that holds it.
constexpr size_t LoaderLockOffset = 0xA0;

}  // namespace

bool ThreadHoldsLoaderLock() {
  const auto* lock = *reinterpret_cast<CRITICAL_SECTION* const*>(ProcessBlock() + LoaderLockOffset);
  return lock != nullptr && reinterpret_cast<DWORD_PTR>(lock->OwningThread) == GetCurrentThreadId();
}
