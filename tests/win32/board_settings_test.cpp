// The virtual board's settings under Windows: k8055d.ini beside the DLL,
// the environment winning, and what cannot be read shown in the board
// windows' title; the call record opened by a name outside the ANSI code
// page, its times following the calls; the Desktop folder asked for once.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win32/import_patch.h"
#include "tests/win32/module_host.h"
#include "tests/win32/temp_folder.h"
#include "tests/win32/test_host_run.h"

namespace {

constexpr char BoardWindowClass[] = "VirtualK8055Board";

// The full virtual board copied into a folder of its own, with a k8055d.ini
// beside it when one is given.
class TCopiedBoard {
 public:
  TCopiedBoard(const std::string& folder, const std::string& ini) : Folder(folder) {
    for (const char* name : {"VIRTUAL_K8055_BOARDS", "VIRTUAL_K8055_WINDOW", "VIRTUAL_K8055_TRACE"})
      SetEnvironmentVariableA(name, nullptr);
    const std::string library = Folder.Copy(TModuleHost::BoardFolder("full") + "\\k8055d.dll", "k8055d.dll");
    if (!ini.empty()) Folder.Write("k8055d.ini", ini);
    Library = LoadLibraryW(WidePath(library).c_str());
    EXPECT_NE(Library, nullptr);
  }
  ~TCopiedBoard() { FreeLibrary(Library); }
  template <typename... TArgs>
  int32_t Call(const char* name, TArgs... args) {
    using TEntry = int32_t(__stdcall*)(TArgs...);
    return reinterpret_cast<TEntry>(reinterpret_cast<void (*)()>(GetProcAddress(Library, name)))(args...);
  }

  TTempFolder Folder;  // removed after the library is freed
  HMODULE Library = nullptr;
};

// The title of this process's board window, or "" when there is none.
std::string BoardWindowTitle() {
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, BoardWindowClass, nullptr));) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) continue;
    wchar_t title[2048];
    const int n = GetWindowTextW(window, title, 2048);
    const int length = WideCharToMultiByte(CP_UTF8, 0, title, n, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, title, n, &text[0], length, nullptr, nullptr);
    return text;
  }
  return "";
}

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream file(WidePath(path).c_str(), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    EXPECT_TRUE(!line.empty() && line.back() == '\r') << line;  // Windows line ends
    lines.push_back(line.substr(0, line.size() - 1));
  }
  return lines;
}

TEST(BoardSettings, TheFileBesideTheDllAndTheEnvironmentWinning) {
  TCopiedBoard board("tarnwell settings file", "; two boards\r\n[virtual board]\r\nboards = 1,2\r\n");
  EXPECT_EQ(board.Call("OpenDevice", 0), -1);
  EXPECT_EQ(board.Call("OpenDevice", 1), 1);
  EXPECT_EQ(board.Call("OpenDevice", 2), 2);
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0");  // read at every OpenDevice
  EXPECT_EQ(board.Call("OpenDevice", 0), 0);
  EXPECT_EQ(board.Call("OpenDevice", 3), -1);
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "3,4");  // cannot be read: the file's value counts
  EXPECT_EQ(board.Call("OpenDevice", 3), -1);
  EXPECT_EQ(board.Call("OpenDevice", 1), 1);
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr);
}

TEST(BoardSettings, WhatCannotBeReadIsInTheWindowsTitle) {
  TCopiedBoard board("tarnwell settings problems",
                     "boards = 0\r\nwindow = 1\r\nwindow = yes\r\nrecord = no such folder\\calls.txt\r\n");
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,x");
  ASSERT_EQ(board.Call("OpenDevice", 0), 0);
  const std::string title = BoardWindowTitle();
  EXPECT_EQ(title.rfind("Virtual K8055, card address 0 - ", 0), 0u) << title;
  EXPECT_TRUE(Contains(title, " - k8055d.ini line 3: window \"yes\" is not 0 (no windows) or 1 (a window for each "
                              "open board); VIRTUAL_K8055_BOARDS \"0,x\" is not a list of card addresses"))
      << title;
  EXPECT_TRUE(Contains(title, "; call record " + board.Folder.Path() +
                                  "\\no such folder\\calls.txt cannot be opened: Windows error 3"))
      << title;
  board.Call("CloseDevice");
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr);

  // Without a problem the title is the card address alone.
  TCopiedBoard good("tarnwell settings good", "window = 1\r\n");
  ASSERT_EQ(good.Call("OpenDevice", 0), 0);
  EXPECT_EQ(BoardWindowTitle(), "Virtual K8055, card address 0");
  good.Call("CloseDevice");
}

TEST(BoardSettings, CallRecordsNamedOutsideTheAnsiCodePage) {
  const std::string name = "\xC5\x81\xC3\xB3\x64\xC5\xBA \xE6\xB8\xAC\xE8\xA9\xA6";  // "Łódź 測試"
  {
    // From the environment.
    TCopiedBoard board("tarnwell record " + name, "");
    const std::string record = board.Folder.Add(name + ".txt");
    SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", WidePath(record).c_str());
    board.Call("OpenDevice", 0);
    board.Call("SetDigitalChannel", 3);
    board.Call("CloseDevice");
    SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", nullptr);
    const std::vector<std::string> lines = FileLines(record);
    ASSERT_EQ(lines.size(), 4u);
    const std::string process = " @" + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("[0-9]+\\.[0-9]{3} OpenDevice 0 = 0" + process))) << lines[1];
    EXPECT_TRUE(std::regex_match(lines[3], std::regex("[0-9]+\\.[0-9]{3} CloseDevice" + process))) << lines[3];
  }
  // From k8055d.ini, written in UTF-8 and in UTF-16 (Notepad's "Unicode").
  const std::string utf8 = "record = " + name + ".txt\r\n";
  std::wstring wide = L"\xFEFFrecord = " + WidePath(name) + L"-16.txt\r\n";
  const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
  for (const auto& [ini, file] : {std::pair{utf8, name + ".txt"}, std::pair{utf16, name + "-16.txt"}}) {
    TCopiedBoard board("tarnwell ini record", ini);
    const std::string record = board.Folder.Add(file);
    board.Call("OpenDevice", 0);
    board.Call("CloseDevice");
    EXPECT_EQ(FileLines(record).size(), 3u) << file;
  }
}

// The local time as the session line writes it: "YYYY-MM-DD HH:MM:SS.mmm".
std::string LocalTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond, now.wMilliseconds);
  return text;
}

// The clock starts as the library is loaded, not at its first call: a host
// loads it with its first instance and may call it much later.
TEST(BoardSettings, TimesFollowTheCallsFromTheLoad) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  auto now = [&] {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000 / static_cast<double>(frequency.QuadPart);
  };
  const std::string loadedFrom = LocalTimeText();
  const double loadBefore = now();
  TCopiedBoard board("tarnwell record times", "");
  const double loadAfter = now();
  const std::string loadedTo = LocalTimeText();
  const std::string record = board.Folder.Add("calls.txt");
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", WidePath(record).c_str());
  std::vector<double> before, after;  // ms, around each call
  for (int call = 0; call < 6; ++call) {
    Sleep(call == 0 ? 50 : call * 7);
    before.push_back(now());
    if (call == 0) board.Call("OpenDevice", 0);
    else board.Call("SetDigitalChannel", call);
    after.push_back(now());
  }
  board.Call("CloseDevice");
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", nullptr);

  const std::vector<std::string> lines = FileLines(record);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex("# session 20[0-9]{2}-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:"
                                                    "[0-5][0-9]\\.[0-9]{3} @" +
                                                    std::to_string(GetCurrentProcessId()))))
      << lines[0];
  // The session line's local time is the load's, not the first call's.
  const std::string started = lines[0].substr(std::string("# session ").size(), 23);
  EXPECT_GE(started, loadedFrom) << lines[0];
  EXPECT_LE(started, loadedTo) << lines[0];
  std::vector<double> times;
  for (size_t i = 1; i < lines.size(); ++i) times.push_back(std::stod(lines[i]));
  for (size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i], times[i - 1]) << lines[i + 1];
  // Each call's time since the load lies between what the test measured
  // around the load and around the call (to the microsecond the record
  // keeps).
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_GE(times[i], before[i] - loadAfter - 0.002) << lines[i + 1];
    EXPECT_LE(times[i], after[i] - loadBefore + 0.002) << lines[i + 1];
  }
}

// A relative record path from the environment starts in the folder that was
// current when the library was loaded: a host's open dialog moves the
// current directory, and the record must stay one file.
TEST(BoardSettings, ARelativeRecordPathStartsWhereTheLibraryWasLoaded) {
  TTempFolder loaded("tarnwell record loaded"), moved("tarnwell record moved");
  const std::string record = loaded.Add("calls.txt");
  moved.Add("calls.txt");
  std::unique_ptr<TCopiedBoard> board;
  {
    TScopedCurrentDirectory current(loaded.Path());
    board = std::make_unique<TCopiedBoard>("tarnwell record relative", "");
  }
  SetEnvironmentVariableA("VIRTUAL_K8055_TRACE", "calls.txt");
  TScopedCurrentDirectory current(moved.Path());
  board->Call("OpenDevice", 0);
  SetCurrentDirectoryA(board->Folder.Path().c_str());
  board->Call("SetDigitalChannel", 1);
  board->Call("CloseDevice");
  SetEnvironmentVariableA("VIRTUAL_K8055_TRACE", nullptr);
  EXPECT_EQ(FileLines(record).size(), 4u);
  EXPECT_EQ(GetFileAttributesA((moved.Path() + "\\calls.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

// %DESKTOP% in k8055d.ini is the user's Desktop folder as the shell has it.
TEST(BoardSettings, DesktopNamesTheShellsDesktopFolder) {
  wchar_t desktop[MAX_PATH] = L"";
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop), S_OK);
  char utf8[3 * MAX_PATH] = "";
  WideCharToMultiByte(CP_UTF8, 0, desktop, -1, utf8, sizeof(utf8), nullptr, nullptr);
  TTempFolder folder("tarnwell desktop");
  folder.Copy(TModuleHost::BoardFolder("full") + "\\k8055d.dll", "k8055d.dll");
  folder.Write("k8055d.ini", "record = %Desktop%\\k8055d-calls.txt\r\n");
  const THostRun version = RunHost({"--vendor-dir", folder.Path(), "--version"});
  EXPECT_TRUE(Contains(version.Out, "call record " + std::string(utf8) + "\\k8055d-calls.txt (k8055d.ini)"))
      << version.Out;
}

// The copied board's loads and frees of shell32.dll, counted through its
// imports.
int ShellLoads = 0, ShellFrees = 0;
void* BoardsLoadLibraryW = nullptr;
void* BoardsFreeLibrary = nullptr;

std::wstring ShellPath;  // as the board named it

HMODULE WINAPI CountingLoadLibraryW(const wchar_t* name) {
  const std::wstring path(name);
  if (_wcsicmp(path.substr(path.find_last_of(L"\\/") + 1).c_str(), L"shell32.dll") == 0) {
    ++ShellLoads;
    ShellPath = path;
  }
  return reinterpret_cast<decltype(&LoadLibraryW)>(BoardsLoadLibraryW)(name);
}

BOOL WINAPI CountingFreeLibrary(HMODULE module) {
  if (module == GetModuleHandleW(L"shell32.dll")) ++ShellFrees;
  return reinterpret_cast<decltype(&FreeLibrary)>(BoardsFreeLibrary)(module);
}

// The board's calls of the shell's two Desktop functions themselves, through
// what its GetProcAddress hands it for them.
int FolderAsks = 0;
void* BoardsGetProcAddress = nullptr;
void* KnownFolderPath = nullptr;
void* FolderPathW = nullptr;

HRESULT WINAPI CountingKnownFolderPath(const GUID& id, DWORD flags, HANDLE token, wchar_t** path) {
  ++FolderAsks;
  return reinterpret_cast<HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, wchar_t**)>(KnownFolderPath)(id, flags, token,
                                                                                                   path);
}

HRESULT WINAPI CountingFolderPathW(HWND window, int folder, HANDLE token, DWORD flags, wchar_t* path) {
  ++FolderAsks;
  return reinterpret_cast<HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, wchar_t*)>(FolderPathW)(window, folder, token,
                                                                                            flags, path);
}

FARPROC WINAPI CountingGetProcAddress(HMODULE module, const char* name) {
  const FARPROC found = reinterpret_cast<decltype(&GetProcAddress)>(BoardsGetProcAddress)(module, name);
  if (found == nullptr || reinterpret_cast<uintptr_t>(name) <= 0xFFFF) return found;
  if (strcmp(name, "SHGetKnownFolderPath") == 0) {
    KnownFolderPath = reinterpret_cast<void*>(found);
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&CountingKnownFolderPath));
  }
  if (strcmp(name, "SHGetFolderPathW") == 0) {
    FolderPathW = reinterpret_cast<void*>(found);
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&CountingFolderPathW));
  }
  return found;
}

// The settings are read at every OpenDevice, on the host's output thread:
// the shell is asked for the Desktop folder at the first, and its
// libraries stay loaded.
TEST(BoardSettings, TheDesktopFolderIsAskedForOnceAndTheShellStaysLoaded) {
  TCopiedBoard board("tarnwell desktop once", "forward = %DESKTOP%\\tarnwell-none.dll\r\n");
  TImportPatch load(board.Library, "kernel32.dll", "LoadLibraryW", reinterpret_cast<void*>(&CountingLoadLibraryW));
  TImportPatch free(board.Library, "kernel32.dll", "FreeLibrary", reinterpret_cast<void*>(&CountingFreeLibrary));
  TImportPatch lookUp(board.Library, "kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&CountingGetProcAddress));
  ASSERT_TRUE(load.Patched() && free.Patched() && lookUp.Patched());
  BoardsLoadLibraryW = load.Original();
  BoardsFreeLibrary = free.Original();
  BoardsGetProcAddress = lookUp.Original();
  for (int32_t address = 0; address < 4; ++address) EXPECT_EQ(board.Call("OpenDevice", address), -1);
  EXPECT_EQ(FolderAsks, 1) << "asked at the first read of the settings alone";
  EXPECT_EQ(ShellLoads, 1);
  EXPECT_EQ(ShellFrees, 0);
  // The 32-bit system folder: SysWOW64 under WoW64, else the system folder.
  wchar_t system[MAX_PATH] = L"";
  if (GetSystemWow64DirectoryW(system, MAX_PATH) == 0) GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(ShellPath, std::wstring(system) + L"\\shell32.dll") << "by its full path in the 32-bit system folder";
}

}  // namespace
