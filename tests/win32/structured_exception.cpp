#include "tests/win32/structured_exception.h"

namespace {

// An SEH registration record (chain, handler) followed by what the handler
// needs to resume in CatchStructuredException.
struct TCatchFrame {
  TCatchFrame* Previous;
  void* Handler;
  void* Resume[5];  // __builtin_setjmp's buffer
  EXCEPTION_RECORD* Record;
};

EXCEPTION_DISPOSITION __cdecl CatchAll(EXCEPTION_RECORD* record, void* establisher, CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  auto* frame = static_cast<TCatchFrame*>(establisher);
  *frame->Record = *record;
  RtlUnwind(frame, nullptr, record, nullptr);  // leaves this frame the innermost
  __builtin_longjmp(frame->Resume, 1);
}

TCatchFrame* InnermostFrame() {
  TCatchFrame* frame;
  asm volatile("movl %%fs:0, %0" : "=r"(frame));
  return frame;
}

void SetInnermostFrame(TCatchFrame* frame) { asm volatile("movl %0, %%fs:0" : : "r"(frame) : "memory"); }

}  // namespace

bool CatchStructuredException(void (*work)(void* context), void* context, EXCEPTION_RECORD& record) {
  TCatchFrame frame = {InnermostFrame(), reinterpret_cast<void*>(CatchAll), {}, &record};
  if (__builtin_setjmp(frame.Resume) == 0) {
    SetInnermostFrame(&frame);
    work(context);
    SetInnermostFrame(frame.Previous);
    return false;
  }
  SetInnermostFrame(frame.Previous);
  return true;
}
