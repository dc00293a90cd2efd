// The table of the functions looked up at run time: a row answers with
// Windows' own function, or with a test's until Windows' own is put back;
// a library loaded at the first need comes from the system folder and
// stays loaded.
#include "windows/system_functions_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ULONGLONG WINAPI FixedTickCount() { return 42; }

TEST(SystemFunctions, ATestsFunctionAnswersUntilWindowsOwnIsPutBack) {
  const auto windows = SystemFunction<TSystemFunction::GetTickCount64>();
  ASSERT_NE(windows, nullptr) << "wine has GetTickCount64";
  const FARPROC fixed = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FixedTickCount));
  EXPECT_EQ(SetSystemFunction(TSystemFunction::GetTickCount64, fixed), nullptr);
  EXPECT_EQ(SystemFunction<TSystemFunction::GetTickCount64>()(), 42u);
  EXPECT_EQ(SetSystemFunction(TSystemFunction::GetTickCount64, nullptr), fixed) << "the one to put back";
  EXPECT_EQ(SystemFunction<TSystemFunction::GetTickCount64>(), windows);
}

std::wstring FolderOf(HMODULE module) {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(module, path, MAX_PATH);
  const std::wstring file(path);
  return file.substr(0, file.find_last_of(L"\\/"));
}

TEST(SystemFunctions, ALibraryLoadedAtTheFirstNeedComesFromTheSystemFolderAndStays) {
  ASSERT_NE(SystemFunction<TSystemFunction::SHGetFolderPathW>(), nullptr);
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  ASSERT_NE(shell, nullptr) << "loaded for the lookup, and kept";
  wchar_t system[MAX_PATH] = L"";
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(lstrcmpiW(FolderOf(shell).c_str(), system), 0);
}

}  // namespace
