// The system functions newer than Windows XP that the programs use, one row
// each: looked up at run time, so that every program's imports stay those
// Windows XP SP3 has; its library, its type, and what the caller does
// where Windows lacks it. As SQLite's table of system calls, a test may
// put a function of its own in a row's place (SetSystemFunction).
//
//   X(library, name, result, (parameters), fallback)
#pragma once

#include <windows.h>

#define SYSTEM_FUNCTION_LIST(X)                                                                                  \
  X(Kernel32, GetSystemWow64DirectoryW, UINT, (LPWSTR, UINT), "32-bit Windows: no 32-bit system folder apart")    \
  X(Kernel32, GetDllDirectoryW, DWORD, (DWORD, LPWSTR), "no DLL directory is searched")                         \
  X(Kernel32, AddDllDirectory, void*, (PCWSTR), "LOAD_WITH_ALTERED_SEARCH_PATH instead of the LOAD_LIBRARY_SEARCH flags") \
  X(Kernel32, SetThreadErrorMode, BOOL, (DWORD, DWORD*), "the process's error mode (SetErrorMode)")             \
  X(Kernel32, GetTickCount64, ULONGLONG, (), "GetTickCount extended past its wrap")                              \
  X(User32, GetDpiForWindow, UINT, (HWND), "the DPI of the window's monitor, then the system's")                \
  X(User32, GetSystemMetricsForDpi, int, (int, UINT), "the system's metric scaled from its DPI")                 \
  X(User32, AdjustWindowRectExForDpi, BOOL, (RECT*, DWORD, BOOL, DWORD, UINT), "AdjustWindowRectEx, scaled")     \
  X(User32, GetWindowDpiAwarenessContext, DPI_AWARENESS_CONTEXT, (HWND), "the panel made in the thread's context") \
  X(User32, SetThreadDpiAwarenessContext, DPI_AWARENESS_CONTEXT, (DPI_AWARENESS_CONTEXT),                         \
    "the panel made in the thread's context")                                                                     \
  X(Shcore, GetDpiForMonitor, HRESULT, (HMONITOR, int, UINT*, UINT*), "the system's DPI")                        \
  X(Shell32, SHGetKnownFolderPath, HRESULT, (const GUID&, DWORD, HANDLE, wchar_t**), "SHGetFolderPathW")           \
  X(Shell32, SHGetFolderPathW, HRESULT, (HWND, int, HANDLE, DWORD, wchar_t*), "%DESKTOP% unknown")              \
  X(Ole32, CoTaskMemFree, void, (void*), "SHGetFolderPathW")

enum class TSystemFunction {
#define SYSTEM_FUNCTION_ENUM(library, name, result, params, fallback) name,
  SYSTEM_FUNCTION_LIST(SYSTEM_FUNCTION_ENUM)
#undef SYSTEM_FUNCTION_ENUM
};

// The row's function, or null where Windows lacks it (then the row's
// fallback is the caller's). Libraries not loaded yet (shcore, shell32,
// ole32) are loaded from the system folder at the first need and kept for
// the life of the process, never freed from a caller's thread. Any thread.
FARPROC LookUpSystemFunction(TSystemFunction function);

// For tests: replacement (null: Windows' own again) answers for the row
// from now on. Returns the replacement it had, to put back.
FARPROC SetSystemFunction(TSystemFunction function, FARPROC replacement);

// The typed function of a row: SystemFunction<TSystemFunction::GetDpiForWindow>().
template <TSystemFunction Function>
struct TSystemFunctionType;
#define SYSTEM_FUNCTION_TYPE(library, name, result, params, fallback) \
  template <>                                                       \
  struct TSystemFunctionType<TSystemFunction::name> {               \
    using Pointer = result(WINAPI*) params;                         \
  };
SYSTEM_FUNCTION_LIST(SYSTEM_FUNCTION_TYPE)
#undef SYSTEM_FUNCTION_TYPE

template <TSystemFunction Function>
typename TSystemFunctionType<Function>::Pointer SystemFunction() {
  return reinterpret_cast<typename TSystemFunctionType<Function>::Pointer>(
      reinterpret_cast<void (*)()>(LookUpSystemFunction(Function)));
}
