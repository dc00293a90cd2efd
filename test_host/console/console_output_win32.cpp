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

// Writes wide to a console in parts; gives how many characters it took: all
// of them, or those before the first part it refused (none when the handle
// is no console after all).
size_t WriteConsoleText(HANDLE handle, const std::wstring& wide) {
  size_t done = 0;
  while (done < wide.size()) {
    DWORD written = 0;
    size_t chunk = std::min(wide.size() - done, ConsoleChunk);
    if (chunk > 1 && done + chunk < wide.size() && IsHighSurrogate(wide[done + chunk - 1])) --chunk;  // keep pairs whole
    if (!WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(chunk), &written, nullptr) || written == 0)
      break;
    done += written;
  }
  return done;
}

// Without a standard handle (none given, or the console left) the text has
// nowhere to go. GetConsoleMode needs read access: a console opened for
// writing only fails it, so a character device is tried as a console too
// (a NUL device refuses the console write and gets the bytes). What a
// console does not take goes on as bytes, so nothing is lost when it fails
// halfway.
void Write(TOutputStream stream, const std::string& text) {
  HANDLE handle = GetStdHandle(stream == TOutputStream::Err ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
  DWORD mode = 0;
  std::string rest = text;
  if (GetConsoleMode(handle, &mode) || GetFileType(handle) == FILE_TYPE_CHAR) {
    const std::wstring wide = Wide(text);
    const size_t done = WriteConsoleText(handle, wide);
    if (done == wide.size()) return;
    if (done > 0) rest = Utf8(wide.substr(done));
  }
  FILE* file = stream == TOutputStream::Err ? stderr : stdout;
  std::fwrite(rest.data(), 1, rest.size(), file);
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
