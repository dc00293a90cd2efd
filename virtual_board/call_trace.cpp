#include "virtual_board/call_trace.h"

#include <windows.h>

#include <cstring>

#include "virtual_board/board_settings_win32.h"
#include "virtual_board/fixed_text.h"
#include "virtual_board/record_lock_win32.h"

namespace {

HANDLE File = INVALID_HANDLE_VALUE;
char FilePath[SettingsTextSize];    // the file open now
char MarkedPath[SettingsTextSize];  // the file that has this load's session line

// The clock: the performance counter when the library was loaded, and the
// local time then, for the session line. A static object, so read as
// Windows loads the library (DLL_PROCESS_ATTACH): three reads that cannot
// fail or block, the library's only work at load time. A host may load the
// library long before its first call.
struct TClock {
  LARGE_INTEGER Start;
  LARGE_INTEGER Frequency;
  SYSTEMTIME StartedAt;
  TClock() {
    QueryPerformanceFrequency(&Frequency);
    QueryPerformanceCounter(&Start);
    GetLocalTime(&StartedAt);
  }
};
const TClock Clock;

void CloseFile() {
  if (File == INVALID_HANDLE_VALUE) return;
  CloseHandle(File);
  File = INVALID_HANDLE_VALUE;
}

// A line with one WriteFile on a handle opened without FILE_WRITE_DATA, so
// that it goes to the end of the file, taking its turn with the other
// processes recording into the file (record_lock_win32.h).
void Write(std::string_view line) {
  const bool locked = LockRecordLine(File);
  DWORD written = 0;
  WriteFile(File, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  EndRecordLine(File, locked);
}

void WriteSessionLine() {
  char buffer[64] = "";
  TFixedText line(buffer, sizeof(buffer));
  line << "# session " << static_cast<int64_t>(Clock.StartedAt.wYear) << "-";
  line.Padded(Clock.StartedAt.wMonth, 2) << "-";
  line.Padded(Clock.StartedAt.wDay, 2) << " ";
  line.Padded(Clock.StartedAt.wHour, 2) << ":";
  line.Padded(Clock.StartedAt.wMinute, 2) << ":";
  line.Padded(Clock.StartedAt.wSecond, 2) << ".";
  line.Padded(Clock.StartedAt.wMilliseconds, 3) << " @" << static_cast<int64_t>(GetCurrentProcessId()) << "\r\n";
  Write(line.View());
}

}  // namespace

void UseCallRecord(TBoardSettings& settings) {
  if (settings.Record[0] == '\0') {
    CloseFile();
    return;
  }
  if (File != INVALID_HANDLE_VALUE && std::strcmp(settings.Record, FilePath) == 0) return;
  CloseFile();
  wchar_t path[SettingsTextSize];
  WideText(settings.Record, path, SettingsTextSize);
  File = CreateFileW(path, CallRecordAccess, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) {
    AddRecordProblem(settings, GetLastError());
    return;
  }
  std::memcpy(FilePath, settings.Record, sizeof(FilePath));
  if (std::strcmp(MarkedPath, FilePath) != 0) {
    WriteSessionLine();
    std::memcpy(MarkedPath, FilePath, sizeof(MarkedPath));
  }
}

int64_t CallTime() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const int64_t ticks = now.QuadPart - Clock.Start.QuadPart, perSecond = Clock.Frequency.QuadPart;
  return ticks / perSecond * 1000000 + ticks % perSecond * 1000000 / perSecond;
}

void TraceCall(int64_t time, bool anyBoardOpen, const char* name, int argc, int32_t a, int32_t b,
               const TLibraryAnswer* answer) {
  if (File == INVALID_HANDLE_VALUE) return;
  // Calls of two threads may end in another order than they arrived: a
  // line is never stamped before the one above it, so that the record's
  // times never go back.
  static int64_t lastTime = 0;
  time = time < lastTime ? lastTime : time;
  lastTime = time;
  char buffer[160] = "";
  TFixedText line(buffer, sizeof(buffer));
  line << time / 1000 << ".";
  line.Padded(time % 1000, 3) << " " << name;
  if (argc >= 1) line << " " << static_cast<int64_t>(a);
  if (argc >= 2) line << " " << static_cast<int64_t>(b);
  if (answer != nullptr && answer->Raised) (line << " raised 0x").Hex8(answer->ExceptionCode);
  else if (answer != nullptr && answer->HasResult) line << " = " << static_cast<int64_t>(answer->Result);
  if (answer != nullptr && answer->SpentUs >= 0) line << " (" << answer->SpentUs << " us)";
  if (answer != nullptr && answer->TransferFailed >= 0)
    line << " " << TransferFailedMark << " board " << static_cast<int64_t>(answer->TransferFailed) << " dropped";
  line << " @" << static_cast<int64_t>(GetCurrentProcessId()) << "\r\n";
  Write(line.View());
  if (!anyBoardOpen) CloseFile();
}
