// One call record shared by the virtual boards of two processes, which name
// it differently: every line of each is in it, whole and in its order; and a
// holder of the record's lock that stalls holds another process's output up
// once, for a short time, and costs it no line.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/win32/module_host.h"
#include "tests/win32/temp_folder.h"
#include "virtual_board/record_lock_win32.h"

namespace {

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream file(WidePath(path).c_str(), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

std::string FullBoard() { return TModuleHost::BoardFolder("full") + "\\k8055d.dll"; }

// Calls the board's entry point name with args.
template <typename... TArgs>
int32_t CallBoard(HMODULE board, const char* name, TArgs... args) {
  using TEntry = int32_t(__stdcall*)(TArgs...);
  return reinterpret_cast<TEntry>(reinterpret_cast<void (*)()>(GetProcAddress(board, name)))(args...);
}

// Starts the record writer (record_writer.cpp) for that many output calls,
// with the record named by path; returns its process.
HANDLE StartWriter(const std::string& record, int calls) {
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", WidePath(record).c_str());
  std::wstring command =
      WidePath("\"" + TModuleHost::BinFolder() + "\\record_writer.exe\" \"" + FullBoard() + "\" " +
               std::to_string(calls));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  EXPECT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", nullptr);
  CloseHandle(process.hThread);
  return process.hProcess;
}

TEST(RecordSharing, TwoProcessesNamingTheRecordDifferentlyLoseNoLine) {
  constexpr int Calls = 20000;
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0");
  TTempFolder folder("tarnwell shared record");
  folder.Add("j\xC3\xB6rg", true);
  const std::string record = folder.Add("j\xC3\xB6rg\\calls.txt");
  const HANDLE writers[] = {StartWriter(record, Calls),
                            StartWriter(folder.Path() + "\\J\xC3\x96RG\\calls.txt", Calls)};
  std::map<std::string, std::vector<std::string>> calls;  // by process id
  for (const HANDLE writer : writers) {
    ASSERT_EQ(WaitForSingleObject(writer, 240000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(writer, &status);
    EXPECT_EQ(status, 0u);
    calls[std::to_string(GetProcessId(writer))];
    CloseHandle(writer);
  }

  static const std::regex call("[0-9]+\\.[0-9]{3} ([A-Za-z]+(?: [0-9]+)?)(?: = -?[0-9]+)? @([0-9]+)\r");
  static const std::regex session(
      "# session [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3} @([0-9]+)\r");
  int damaged = 0;
  for (const std::string& line : FileLines(record)) {
    std::smatch match;
    if (std::regex_match(line, match, session)) calls[match[1]].push_back("# session");
    else if (std::regex_match(line, match, call)) calls[match[2]].push_back(match[1]);
    else if (++damaged <= 5) ADD_FAILURE() << "a damaged line: " << line;
  }
  EXPECT_EQ(damaged, 0);
  ASSERT_EQ(calls.size(), 2u) << "lines of other processes";
  std::vector<std::string> expected = {"# session", "OpenDevice 0"};
  for (int i = 0; i < Calls; ++i) expected.push_back("WriteAllDigital " + std::to_string(i));
  expected.push_back("CloseDevice");
  for (const auto& [process, lines] : calls) {
    EXPECT_EQ(lines.size(), expected.size()) << process;
    EXPECT_TRUE(lines == expected) << "process " << process << ": lines missing or out of order";
  }
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr);
}

// The holder is a handle of the test's own, which counts as another
// process's would: a lock belongs to the handle it was taken through.
TEST(RecordSharing, AStalledHolderHoldsTheOutputUpOnceAndCostsNoLine) {
  TTempFolder folder("tarnwell stalled record");
  const std::string record = folder.Add("calls.txt");
  HANDLE holder = CreateFileW(WidePath(record).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  OVERLAPPED range{};
  range.Offset = static_cast<DWORD>(RecordLockOffset);
  range.OffsetHigh = static_cast<DWORD>(RecordLockOffset >> 32);
  ASSERT_TRUE(LockFileEx(holder, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range));

  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", WidePath(record).c_str());
  HMODULE board = LoadLibraryA(FullBoard().c_str());
  ASSERT_NE(board, nullptr);
  DWORD start = GetTickCount();
  EXPECT_EQ(CallBoard(board, "OpenDevice", 0), 0);  // its session line waits for the holder, up to the bound
  const DWORD first = GetTickCount() - start;
  EXPECT_GE(first + 20, RecordLockWaitMs) << "the lock was not waited for";
  EXPECT_LT(first, 4 * RecordLockWaitMs);
  start = GetTickCount();
  for (int call = 0; call < 100; ++call) CallBoard(board, "WriteAllDigital", call);  // still stalled: no more waits
  EXPECT_LT(GetTickCount() - start, 20 * RecordLockWaitMs);
  UnlockFileEx(holder, 0, 1, 0, &range);
  CallBoard(board, "WriteAllDigital", 100);
  CallBoard(board, "CloseDevice");
  FreeLibrary(board);
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", nullptr);
  CloseHandle(holder);

  const std::vector<std::string> lines = FileLines(record);
  ASSERT_EQ(lines.size(), 1u + 1u + 101u + 1u);
  EXPECT_EQ(lines[0].rfind("# session ", 0), 0u);
  for (int call = 0; call <= 100; ++call)
    EXPECT_NE(lines[2 + call].find(" WriteAllDigital " + std::to_string(call) + " @"), std::string::npos) << call;
}

// A board's call of a thread of the test's, to see whether it waits.
struct TBoardCallThread {
  HMODULE Board;
  int32_t Value;
  HANDLE Thread = nullptr;
  static DWORD WINAPI Run(void* self) {
    auto& call = *static_cast<TBoardCallThread*>(self);
    CallBoard(call.Board, "WriteAllDigital", call.Value);
    return 0;
  }
  void Start() { Thread = CreateThread(nullptr, 0, Run, this, 0, nullptr); }
  // Whether the call is still waiting after ms (a lower bound: a call that
  // has not even started counts as waiting).
  bool StillWaitingAfter(DWORD ms) const { return WaitForSingleObject(Thread, ms) == WAIT_TIMEOUT; }
  void Join() {
    WaitForSingleObject(Thread, INFINITE);
    CloseHandle(Thread);
  }
};

// The stalled mode lasts while the stalled holder holds the lock: once it
// has let go, a live holder (one that writes while it holds the lock) is
// waited for by the lines of a process that saw the stall, and after the
// lock was had again every line waits for a holder as before.
TEST(RecordSharing, AfterTheStalledHolderLetsGoLinesWaitForALiveOne) {
  TTempFolder folder("tarnwell stall ends");
  const std::string record = folder.Add("calls.txt");
  HANDLE holder = CreateFileW(WidePath(record).c_str(), GENERIC_READ | FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  OVERLAPPED range{};
  range.Offset = static_cast<DWORD>(RecordLockOffset);
  range.OffsetHigh = static_cast<DWORD>(RecordLockOffset >> 32);
  const auto lock = [&] { return LockFileEx(holder, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &range) != FALSE; };
  ASSERT_TRUE(lock());
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", WidePath(record).c_str());
  HMODULE board = LoadLibraryA(FullBoard().c_str());
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(CallBoard(board, "OpenDevice", 0), 0);  // finds the holder stalled
  UnlockFileEx(holder, 0, 1, 0, &range);

  ASSERT_TRUE(lock());  // a live holder, which writes its line
  DWORD written = 0;
  WriteFile(holder, "live\r\n", 6, &written, nullptr);
  TBoardCallThread afterStall{board, 1};
  afterStall.Start();
  EXPECT_TRUE(afterStall.StillWaitingAfter(100)) << "written while a live holder held the lock";
  UnlockFileEx(holder, 0, 1, 0, &range);
  afterStall.Join();

  ASSERT_TRUE(lock());  // the lock was had again: the stalled mode has ended
  TBoardCallThread later{board, 2};
  later.Start();
  EXPECT_TRUE(later.StillWaitingAfter(100)) << "the stalled mode outlasted the stall";
  UnlockFileEx(holder, 0, 1, 0, &range);
  later.Join();
  CallBoard(board, "CloseDevice");
  FreeLibrary(board);
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", nullptr);
  CloseHandle(holder);

  const std::vector<std::string> lines = FileLines(record);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[2], "live\r");
  EXPECT_NE(lines[3].find(" WriteAllDigital 1 @"), std::string::npos) << lines[3];
  EXPECT_NE(lines[4].find(" WriteAllDigital 2 @"), std::string::npos) << lines[4];
}

}  // namespace
