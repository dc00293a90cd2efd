#include "windows/system_text_win32.h"

bool ModuleFileName(HMODULE module, TPathText& path) {
  return QuerySystemText([module](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(module, buffer, size); },
                         path);
}
