#include "test_host/console/console_output_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "test_host/console/output_queue.h"
#include "test_host/text/wide_text_win32.h"

namespace {

// A console takes each write through a shared heap of 64 KiB, so long texts
// go in parts.
constexpr size_t ConsoleChunk = 8192;

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Writes wide to a console in parts. False when the first part is refused,
// nothing written: the handle is no console after all.
bool WriteConsoleText(HANDLE handle, const std::wstring& wide) {
  for (size_t done = 0; done < wide.size();) {
    DWORD written = 0;
    size_t chunk = std::min(wide.size() - done, ConsoleChunk);
    if (chunk > 1 && done + chunk < wide.size() && IsHighSurrogate(wide[done + chunk - 1])) --chunk;  // keep pairs whole
    if (!WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(chunk), &written, nullptr) || written == 0)
      return done > 0;
    done += written;
  }
  return true;
}

// Without a standard handle (none given, or the console left) the text has
// nowhere to go. GetConsoleMode needs read access: a console opened for
// writing only fails it, so a character device is tried as a console too
// (a NUL device refuses the console write and gets the bytes).
void Write(TOutputStream stream, const std::string& text) {
  HANDLE handle = GetStdHandle(stream == TOutputStream::Err ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  const bool mayBeConsole = GetConsoleMode(handle, &mode) || GetFileType(handle) == FILE_TYPE_CHAR;
  if (mayBeConsole && (text.empty() || WriteConsoleText(handle, Wide(text)))) return;
  FILE* file = stream == TOutputStream::Err ? stderr : stdout;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fflush(file);
}

TOutputQueue& Queue() {
  static TOutputQueue queue(Write);
  return queue;
}

}  // namespace

void WriteOut(const std::string& text) { Queue().Post(TOutputStream::Out, text); }
void WriteErr(const std::string& text) { Queue().Post(TOutputStream::Err, text); }
void FlushOutput() { Queue().Flush(); }
