// The test host's console output when the console fails halfway through a
// text (a console closed, or its buffer gone, while a long text is
// written): what the console did not take goes on as bytes, nothing lost.
// The test host's code runs in this program, whose imports of the console
// functions are redirected: standard error, a file, is taken for a console
// that takes the first part of a text and refuses the next.
#include <gtest/gtest.h>

#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "test_host/console/console_output_win32.h"
#include "test_host/text/wide_text_win32.h"
#include "tests/win32/import_patch.h"
#include "tests/win32/temp_folder.h"

namespace {

std::wstring TakenByTheConsole;
int ConsoleWrites = 0;

BOOL WINAPI AConsole(HANDLE, DWORD* mode) {
  *mode = ENABLE_PROCESSED_OUTPUT;
  return TRUE;
}

BOOL WINAPI TakingTheFirstPartOnly(HANDLE, const void* text, DWORD length, DWORD* written, void*) {
  *written = 0;
  if (ConsoleWrites++ > 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  TakenByTheConsole.assign(static_cast<const wchar_t*>(text), length);
  *written = length;
  return TRUE;
}

TEST(TestHostConsoleOutput, WhatAFailingConsoleDidNotTakeGoesOnAsBytes) {
  // Longer than a part (8192 characters), with names outside ASCII; one
  // line, so that the file's text mode changes nothing.
  std::string text;
  while (text.size() < 30000) text += "Kanal \xC5\x81\xC3\xB3\x64\xC5\xBA \xE6\xB8\xAC\xE8\xA9\xA6 ";
  TTempFolder folder("tarnwell console output");
  const std::string path = folder.Add("errors.txt");
  FILE* file = _wfopen(WidePath(path).c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fflush(stderr);
  const int saved = _dup(2);
  _dup2(_fileno(file), 2);
  {
    TImportPatch mode(GetModuleHandleA(nullptr), "kernel32.dll", "GetConsoleMode", reinterpret_cast<void*>(AConsole));
    TImportPatch write(GetModuleHandleA(nullptr), "kernel32.dll", "WriteConsoleW",
                       reinterpret_cast<void*>(TakingTheFirstPartOnly));
    EXPECT_TRUE(mode.Patched() && write.Patched());
    WriteErr(text);
    FlushOutput();
  }
  std::fflush(stderr);
  _dup2(saved, 2);
  _close(saved);
  std::fclose(file);
  std::ostringstream bytes;
  bytes << std::ifstream(WidePath(path).c_str(), std::ios::binary).rdbuf();
  EXPECT_EQ(ConsoleWrites, 2) << "the console took a part and refused the next";
  EXPECT_EQ(TakenByTheConsole.size(), 8192u);
  EXPECT_TRUE(Utf8(TakenByTheConsole) + bytes.str() == text)
      << "the console took " << TakenByTheConsole.size() << " characters, the file " << bytes.str().size()
      << " bytes, of " << Wide(text).size() << " characters";
}

}  // namespace
