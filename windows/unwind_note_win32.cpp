#include "windows/unwind_note_win32.h"

namespace {

static_assert(sizeof(void*) == 4, "a 32-bit SEH frame, chained at fs:0");
struct TNoteFrame {
  TNoteFrame* Previous;  // the SEH registration record: chain, handler
  void* Handler;
  TUnwindNote Unwound;
  void* Context;
};

EXCEPTION_DISPOSITION __cdecl NoteUnwind(EXCEPTION_RECORD* record, void* establisher, CONTEXT*, void*) {
  const auto* frame = static_cast<const TNoteFrame*>(establisher);
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
    frame->Unwound(frame->Context, record->ExceptionCode);
  return ExceptionContinueSearch;
}

}  // namespace

__attribute__((noinline)) void RunNotingUnwind(TNotedRun run, TUnwindNote unwound, void* context) {
  TNoteFrame frame = {nullptr, reinterpret_cast<void*>(NoteUnwind), unwound, context};
  asm volatile("movl %%fs:0, %0" : "=r"(frame.Previous));
  asm volatile("movl %0, %%fs:0" : : "r"(&frame) : "memory");
  run(context);
  asm volatile("movl %0, %%fs:0" : : "r"(frame.Previous) : "memory");
}
