#include "test_host/console_output.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "test_host/wide_text.h"

namespace {

// A console takes each write through a shared heap of 64 KiB, so long texts
// go in parts.
constexpr size_t ConsoleChunk = 8192;

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

void Write(DWORD stdHandle, FILE* stream, const std::string& text) {
  HANDLE handle = GetStdHandle(stdHandle);
  DWORD mode = 0;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
    return;
  }
  const std::wstring wide = Wide(text);
  for (size_t done = 0; done < wide.size();) {
    DWORD written = 0;
    size_t chunk = std::min(wide.size() - done, ConsoleChunk);
    if (chunk > 1 && done + chunk < wide.size() && IsHighSurrogate(wide[done + chunk - 1])) --chunk;  // keep pairs whole
    if (!WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(chunk), &written, nullptr) || written == 0) return;
    done += written;
  }
}

}  // namespace

void WriteOut(const std::string& text) { Write(STD_OUTPUT_HANDLE, stdout, text); }
void WriteErr(const std::string& text) { Write(STD_ERROR_HANDLE, stderr, text); }
