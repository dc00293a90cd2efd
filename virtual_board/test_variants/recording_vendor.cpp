#include "virtual_board/test_variants/recording_vendor.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "k8055d/vendor_entries.h"
#include "tests/shared/fpu_registers.h"
#include "virtual_board/entry_thunks.h"
#include "virtual_board/test_variants/raising_open.h"

namespace {

#define ENTRY_NAME(name, result, params, bytes, use) #name,
const char* const Names[] = {LIBRARY_ENTRY_LIST(ENTRY_NAME)};
#undef ENTRY_NAME

void Receive(const char* line) {
  char path[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("VIRTUAL_K8055_RECEIVED", path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return;
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  CloseHandle(file);
}

int32_t OpenAnswer(int32_t address) {
  char list[256];
  const DWORD n = GetEnvironmentVariableA("VIRTUAL_K8055_OPEN_ANSWERS", list, sizeof(list));
  if (n == 0 || n >= sizeof(list)) return address;
  for (char* item = std::strtok(list, ","); item != nullptr; item = std::strtok(nullptr, ","))
    if (std::atoi(item) == address && std::strchr(item, '=') != nullptr) return std::atoi(std::strchr(item, '=') + 1);
  return address;
}

bool VariableIs(const char* name, const char* value) {
  char text[64];
  const DWORD n = GetEnvironmentVariableA(name, text, sizeof(text));
  return n > 0 && n < sizeof(text) && std::strcmp(text, value) == 0;
}

// As the vendor's library: no board answers a select after CloseDevice,
// until the next OpenDevice.
bool Closed = false;

int32_t SelectAnswer(int32_t address) {
  return VariableIs("VIRTUAL_K8055_CLOSE_ALL", "1") && Closed ? -1 : RecordingAnswer(veSetCurrentDevice, address);
}

// What the call leaves the caller's thread: its control word and MXCSR, an
// error mode of its own, and when asked an x87 zero divide pending (which
// changes the control word to one that unmasks it).
void LeaveThreadState() {
  SetControlWord(RecordingControlWord);
  SetMxcsr(RecordingMxcsr);
  SetThreadErrorMode(RecordingErrorMode, nullptr);
  if (VariableIs("VIRTUAL_K8055_LEAVE_PENDING", "1")) LeaveZeroDividePending();
}

void TakeTime() {
  static unsigned calls = 0;
  char text[32];
  const DWORD n = GetEnvironmentVariableA("VIRTUAL_K8055_SLOW_CALLS", text, sizeof(text));
  const char* colon = n > 0 && n < sizeof(text) ? std::strchr(text, ':') : nullptr;
  const int every = std::atoi(text);
  if (colon != nullptr && every > 0 && ++calls % every == 0) Sleep(static_cast<DWORD>(std::atoi(colon + 1)));
}

// The first call of the entry point VIRTUAL_K8055_HOLD names waits inside.
void HoldWhenAsked(TVendorEntry entry) {
  static volatile LONG held = 0;
  if (!VariableIs("VIRTUAL_K8055_HOLD", Names[entry]) || InterlockedExchange(&held, 1) != 0) return;
  char heldName[64], releaseName[64];
  RecordingHeldEvent(heldName);
  RecordingReleaseEvent(releaseName);
  HANDLE inside = CreateEventA(nullptr, TRUE, FALSE, heldName);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, releaseName);
  SetEvent(inside);
  WaitForSingleObject(release, INFINITE);
  CloseHandle(inside);
  CloseHandle(release);
}

void LeaveLastError() {
  char text[16];
  const DWORD n = GetEnvironmentVariableA("VIRTUAL_K8055_LAST_ERROR", text, sizeof(text));
  if (n > 0 && n < sizeof(text)) SetLastError(static_cast<DWORD>(std::atoi(text)));
}

// With VIRTUAL_K8055_REENTER set, calls OpenDevice of the k8055d.dll that
// Windows gives by name, and notes its answer.
void ReenterOpenDevice(int32_t address) {
  if (GetEnvironmentVariableA("VIRTUAL_K8055_REENTER", nullptr, 0) == 0) return;
  HMODULE board = LoadLibraryA("k8055d.dll");
  const auto openDevice = reinterpret_cast<int32_t(K8055_STDCALL*)(int32_t)>(
      reinterpret_cast<void (*)()>(GetProcAddress(board, "OpenDevice")));
  char line[64];
  std::snprintf(line, sizeof(line), "k8055d.dll OpenDevice %ld = %ld\r\n", static_cast<long>(address),
                static_cast<long>(openDevice != nullptr ? openDevice(address) : -2));
  Receive(line);
  if (board != nullptr) FreeLibrary(board);
}

template <typename... TArgs>
void Fill(TArgs...) {}
void Fill(int32_t* data1, int32_t* data2) {
  *data1 = RecordingAnswer(veReadAllAnalog, 1);
  *data2 = RecordingAnswer(veReadAllAnalog, 2);
}
void Fill(int32_t* values) {
  for (int i = 0; i < ReadAllValues; ++i) values[i] = RecordingAnswer(veReadAll, i + 1);
}

int32_t First() { return 0; }
template <typename... TRest>
int32_t First(int32_t value, TRest...) { return value; }
template <typename... TRest>
int32_t First(int32_t*, TRest...) { return 0; }

template <TVendorEntry Entry, typename TSignature>
struct TRecordingEntry;
template <TVendorEntry Entry, typename TResult, typename... TArgs>
struct TRecordingEntry<Entry, TResult(TArgs...)> {
  static TResult K8055_STDCALL Call(TArgs... args) {
    char line[128];
    int length = std::snprintf(line, sizeof(line), "%s", Names[Entry]);
    if constexpr ((std::is_same_v<TArgs, int32_t> && ...))
      ((length += std::snprintf(line + length, sizeof(line) - length, " %ld", static_cast<long>(args))), ...);
    std::snprintf(line + length, sizeof(line) - length, "\r\n");
    Receive(line);
    if constexpr (Entry == veOpenDevice) ReenterOpenDevice(First(args...));
    TakeTime();
    HoldWhenAsked(Entry);
    if (Entry == veOpenDevice) Closed = false;
    if (Entry == veCloseDevice) Closed = true;
    LeaveThreadState();
    if (VariableIs("VIRTUAL_K8055_RAISE", Names[Entry])) {
      const ULONG_PTR arguments[RaisedArgumentCount] = {RaisedMarker, static_cast<ULONG_PTR>(First(args...))};
      RaiseException(RaisedExceptionCode, EXCEPTION_NONCONTINUABLE, RaisedArgumentCount, arguments);
    }
    Fill(args...);
    if constexpr (!std::is_void_v<TResult>) {
      const TResult answer = Entry == veOpenDevice         ? OpenAnswer(First(args...))
                             : Entry == veSetCurrentDevice ? SelectAnswer(First(args...))
                                                           : RecordingAnswer(Entry, First(args...));
      LeaveLastError();
      return answer;
    } else {
      LeaveLastError();
    }
  }
};

}  // namespace

#define RECORDING_EXPORT(name, result, params, bytes, use)                               \
  extern "C" const TVendorSignature<result params>::Pointer Recording##name##Handler; \
  const TVendorSignature<result params>::Pointer Recording##name##Handler =           \
      &TRecordingEntry<ve##name, result params>::Call;                               \
  EXPORT_ENTRY_THUNK(Recording, name, result, params)
LIBRARY_ENTRY_LIST(RECORDING_EXPORT)
#undef RECORDING_EXPORT
