// A host window with the settings panel embedded, for the screenshot in the
// README (tools/screenshot-panel.sh). Loads out_tarnwell.dll from beside the
// program with the virtual board, shows the panel of one instance bound to
// card 1, and runs until the file named by its argument exists (60 s at most).
#include <windows.h>

#include <cstdio>
#include <string>

#include "test_host/module_api.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of("\\/"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: panel_screenshot_host STOP-FILE\n");
    return 2;
  }
  const std::string folder = ProgramFolder();
  SetDllDirectoryA((folder + "\\boards\\full").c_str());
  HMODULE module = LoadLibraryA((folder + "\\out_tarnwell.dll").c_str());
  TModuleApi api;
  if (module == nullptr || BindModuleApi(module, api) != nullptr) {
    std::fprintf(stderr, "cannot load out_tarnwell.dll\n");
    return 1;
  }

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = "TarnwellPanelHost";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "out_tarnwell panel", WS_POPUP | WS_VISIBLE, 0, 0,
                                736, 184, nullptr, nullptr, windowClass.hInstance, nullptr);

  TOutputInstance* instance = api.create(1);
  api.open(instance, "1");
  api.show(instance, window);

  for (int tick = 0; tick < 600 && GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES; ++tick) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(100);
  }
  api.hide(instance);
  api.destroy(instance);
  api.finish();
  DestroyWindow(window);
  FreeLibrary(module);
  return 0;
}
