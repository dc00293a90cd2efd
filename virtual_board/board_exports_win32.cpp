// The virtual board's exports, one for each of the vendor library's entry
// points, made from the vendor entry rows: each call goes to the virtual
// boards (virtual_board.h) or on to the vendor's library (forwarding_win32.h).
//
// Any program may call them from any thread: each holds the board's lock
// while it works on the board's state, but not inside the vendor's library.
// The caller's thread keeps its floating-point state and error mode: the
// board's own work (settings, record, windows) runs with the caller's x87
// exceptions masked and gives the state back as it found it, so that a
// forwarded call leaves the caller exactly what the vendor's library left,
// a changed control word, MXCSR or error mode, or an x87 exception left
// pending, as without the board in between. A structured exception that
// the library raises travels on to the caller unchanged; on its way the
// call's line is recorded, saying so with its code, and the boards follow.
#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "common/fpu_state.h"
#include "windows/unwind_note_win32.h"
#include "k8055d/vendor_entries.h"
#include "virtual_board/board_lock_win32.h"
#include "virtual_board/call_trace.h"
#include "virtual_board/entry_thunks.h"
#include "virtual_board/forward_library_win32.h"
#include "virtual_board/forwarding_win32.h"
#include "virtual_board/library_reentry_win32.h"
#include "virtual_board/virtual_board.h"

// The export by which a forward library is known as a virtual board.
extern "C" void VirtualK8055BoardMarker() {}

namespace {

int32_t Word(int32_t value) { return value; }
int32_t Word(int32_t*) { return 0; }  // the values a read fills, which the record does not show

// What the virtual boards fill in: 0, since nothing is connected.
void FillNothing(int32_t, int) {}
void FillNothing(int32_t* values, int count) {
  for (int i = 0; values != nullptr && i < count; ++i) values[i] = 0;
}

// The end of a forwarded call, with the board's lock, in the board's own
// work: the thread's floating-point state and last error as the library
// left them, and a library whose last reference went freed after the lock.
void EndForwardedCall(const TForwardedCall& call, const TLibraryAnswer& answer) {
  const DWORD error = GetLastError();
  const TFpuState left = SetFpuStateAside();
  HMODULE released;
  {
    TBoardLock lock;
    EndForwarded(call, answer);
    released = TakeReleasedLibrary();
  }
  FreeForwardLibrary(released);
  RestoreFpuState(left);
  SetLastError(error);
}

// A forwarded call inside the library: Run(Invoke) makes it.
struct TLibraryCall {
  const TForwardedCall* Call;
  TLibraryAnswer Answer;
  int64_t Start;
  void (*Run)(void* invoke);
  void* Invoke;
  bool WasInside;  // what EnterForwardLibrary returned
};

void RunLibraryCall(void* context) {
  const auto& inside = *static_cast<TLibraryCall*>(context);
  inside.Run(inside.Invoke);
}

// An exception unwinds through the call.
void NoteRaised(void* context, DWORD code) {
  auto& inside = *static_cast<TLibraryCall*>(context);
  LeaveForwardLibrary(inside.WasInside);
  inside.Answer.Raised = true;
  inside.Answer.ExceptionCode = code;
  inside.Answer.SpentUs = CallTime() - inside.Start;
  EndForwardedCall(*inside.Call, inside.Answer);
}

// An export of the board: the virtual boards' answer, or the library's,
// with the same arguments.
template <TVendorEntry Entry, typename TSignature>
struct TBoardEntry;
template <TVendorEntry Entry, typename TResult, typename... TArgs>
struct TBoardEntry<Entry, TResult(TArgs...)> {
  using TVendor = TResult(K8055_STDCALL*)(TArgs...);

  static TResult K8055_STDCALL Call(TArgs... args) {
    // A call back from inside the library (it, or a DLL of its, calling
    // k8055d.dll) would go round until the stack overflows.
    if (InsideForwardLibrary()) return static_cast<TResult>(RefusedAnswer(Entry));
    const int64_t time = CallTime();
    const int32_t words[] = {Word(args)..., 0, 0};
    const TFpuState caller = SetFpuStateAside();
    TForwardedCall call;
    int32_t result = 0;
    HMODULE released;
    {
      TBoardLock lock;
      call = BeginForwarded(Entry, words[0], words[1], time);
      if (!call.Forwarded) {
        result = VirtualBoardCall(Entry, words[0], words[1]);
      } else if (call.Vendor == nullptr) {
        TLibraryAnswer refused;
        refused.HasResult = !std::is_void_v<TResult>;
        refused.Result = result = RefusedAnswer(Entry);
        EndForwarded(call, refused);
      }
      released = TakeReleasedLibrary();
    }
    FreeForwardLibrary(released);
    RestoreFpuState(caller);
    // Through the caller's pointers only now, outside the lock and in the
    // caller's own state: a bad one faults as in the library itself.
    if (!call.Forwarded) (FillNothing(args, Entry == veReadAll ? ReadAllValues : 1), ...);
    if (call.Vendor == nullptr) return static_cast<TResult>(result);
    return Forward(call, args...);
  }

  // Inside the library, without the lock and in the caller's own state.
  static TResult Forward(const TForwardedCall& call, TArgs... args) {
    const auto vendor = reinterpret_cast<TVendor>(reinterpret_cast<void*>(call.Vendor));
    TLibraryCall inside{&call, TLibraryAnswer{}, 0, nullptr, nullptr, false};
    inside.Answer.HasResult = !std::is_void_v<TResult>;
    auto invoke = [&] {
      if constexpr (std::is_void_v<TResult>) vendor(args...);
      else inside.Answer.Result = vendor(args...);
    };
    inside.Run = [](void* lambda) { (*static_cast<decltype(invoke)*>(lambda))(); };
    inside.Invoke = &invoke;
    inside.WasInside = EnterForwardLibrary();
    inside.Start = CallTime();
    RunNotingUnwind(RunLibraryCall, NoteRaised, &inside);
    LeaveForwardLibrary(inside.WasInside);
    inside.Answer.SpentUs = CallTime() - inside.Start;
    EndForwardedCall(call, inside.Answer);
    if constexpr (!std::is_void_v<TResult>) return inside.Answer.Result;
  }
};

}  // namespace

#define BOARD_EXPORT(name, result, params, bytes, use)                               \
  extern "C" const TVendorSignature<result params>::Pointer Board##name##Handler; \
  const TVendorSignature<result params>::Pointer Board##name##Handler = &TBoardEntry<ve##name, result params>::Call; \
  EXPORT_ENTRY_THUNK(Board, name, result, params)
LIBRARY_ENTRY_LIST(BOARD_EXPORT)
#undef BOARD_EXPORT
