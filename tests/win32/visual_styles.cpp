#include "tests/win32/visual_styles.h"

#include <string>

#include "tests/win32/module_host.h"

TVisualStyles::TVisualStyles() {
  const std::string exe = TModuleHost::BinFolder() + "\\tarnwell_host.exe";
  const std::wstring path(exe.begin(), exe.end());
  ACTCTXW context{};
  context.cbSize = sizeof(context);
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = path.c_str();
  context.lpResourceName = MAKEINTRESOURCEW(1);
  Context_ = CreateActCtxW(&context);
  if (Context_ == INVALID_HANDLE_VALUE || !ActivateActCtx(Context_, &Cookie_)) {
    Error_ = GetLastError();
    Cookie_ = 0;
  }
}

TVisualStyles::~TVisualStyles() {
  if (Cookie_ != 0) DeactivateActCtx(0, Cookie_);
  if (Context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(Context_);
}

bool FromCommonControls6(HWND control) {
  const auto procedure = reinterpret_cast<LPCWSTR>(GetClassLongPtrW(control, GCLP_WNDPROC));
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          procedure, &module))
    return false;
  wchar_t path[MAX_PATH] = L"";
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  const wchar_t* name = path + length;
  while (name > path && name[-1] != L'\\') --name;
  return lstrcmpiW(name, L"comctl32.dll") == 0;
}
