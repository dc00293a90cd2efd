#include "test_host/text/file_paths_win32.h"

#include "common/allocation.h"
#include "windows/system_text_win32.h"
#include "test_host/text/wide_text_win32.h"

std::string ModuleFilePath(HMODULE module) {
  TPathText path{};
  if (!ModuleFileName(module, path)) return "";
  const std::string text = Utf8(std::wstring(reinterpret_cast<const wchar_t*>(path.Text), path.Length));
  ReleaseMemory(const_cast<TPathChar*>(path.Text));
  return text;
}

std::string ProgramFolder() {
  const std::string path = ModuleFilePath(nullptr);
  return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string FullPath(const std::string& path) {
  const std::wstring wide = Wide(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), size, &full[0], nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return Utf8(full);
}
