#include "virtual_board/call_trace.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

HANDLE File = INVALID_HANDLE_VALUE;
char FilePath[MAX_PATH];

void CloseFile() {
  if (File == INVALID_HANDLE_VALUE) return;
  CloseHandle(File);
  File = INVALID_HANDLE_VALUE;
}

// The file named in the variable, open for appending; false when none is
// named or it cannot be opened.
bool OpenNamedFile() {
  char path[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("VIRTUAL_K8055_TRACE", path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) {
    CloseFile();
    return false;
  }
  if (File != INVALID_HANDLE_VALUE && std::strcmp(path, FilePath) == 0) return true;
  CloseFile();
  // FILE_APPEND_DATA alone: every write goes to the end of the file, also
  // when another process appends to the same record.
  File = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) return false;
  std::strcpy(FilePath, path);
  return true;
}

}  // namespace

void TraceCall(bool anyBoardOpen, const char* name, int argc, int32_t a, int32_t b) {
  if (!OpenNamedFile()) return;
  char line[96];
  int length = 0;
  if (argc == 0) length = std::snprintf(line, sizeof(line), "%s\r\n", name);
  if (argc == 1) length = std::snprintf(line, sizeof(line), "%s %ld\r\n", name, static_cast<long>(a));
  if (argc == 2)
    length = std::snprintf(line, sizeof(line), "%s %ld %ld\r\n", name, static_cast<long>(a), static_cast<long>(b));
  DWORD written = 0;
  WriteFile(File, line, static_cast<DWORD>(length), &written, nullptr);
  if (!anyBoardOpen) CloseFile();
}
