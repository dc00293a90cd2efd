#include "virtual_board/call_trace.h"

#include <windows.h>

#include <cstring>

#include "virtual_board/board_settings_win32.h"
#include "virtual_board/fixed_text.h"

namespace {

HANDLE File = INVALID_HANDLE_VALUE;
HANDLE Turn = nullptr;  // the record's mutex, which every process recording into it shares
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
  if (Turn != nullptr) CloseHandle(Turn);
  Turn = nullptr;
}

// The mutex of the record at path, named after it (a hash of the path, in
// which a mutex's name may not have a backslash), so that the processes
// recording into one file take turns; null when it cannot be made, and
// lines are then written without waiting.
HANDLE RecordTurn(const wchar_t* path) {
  uint32_t hash = 2166136261u;  // FNV-1a, over the path in lower case
  for (const wchar_t* c = path; *c != L'\0'; ++c) {
    const wchar_t lower = *c >= L'A' && *c <= L'Z' ? static_cast<wchar_t>(*c - L'A' + L'a') : *c;
    hash = (hash ^ static_cast<uint32_t>(lower)) * 16777619u;
  }
  wchar_t name[] = L"VirtualK8055Record-00000000";
  constexpr int last = sizeof(name) / sizeof(wchar_t) - 2;  // before the NUL
  for (int digit = 0; digit < 8; ++digit) name[last - digit] = L"0123456789abcdef"[hash >> (4 * digit) & 15];
  return CreateMutexW(nullptr, FALSE, name);
}

// A line with one WriteFile on a handle opened with FILE_APPEND_DATA alone,
// so that it goes to the end of the file. Windows does so for a local file
// also while another process appends, but not every file system keeps two
// writers' appends apart (wine takes the end and then writes, and so may a
// network share), so each line waits its turn: two processes recording
// into one file lose no line. A turn not had within a second (a process
// that hangs while writing) is not waited for longer.
void Write(std::string_view line) {
  const DWORD wait = Turn != nullptr ? WaitForSingleObject(Turn, 1000) : WAIT_FAILED;
  DWORD written = 0;
  WriteFile(File, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ReleaseMutex(Turn);
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
  // FILE_APPEND_DATA alone: every write goes to the end of the file, also
  // when another process appends to the same record.
  File = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) {
    AddRecordProblem(settings, GetLastError());
    return;
  }
  Turn = RecordTurn(path);
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
  line << " @" << static_cast<int64_t>(GetCurrentProcessId()) << "\r\n";
  Write(line.View());
  if (!anyBoardOpen) CloseFile();
}
