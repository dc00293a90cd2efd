// The virtual board in front of a library (forward): a stand-in for the
// vendor's library that records what it receives
// (virtual_board/test_variants/recording_vendor.h) gets every call of a
// play session unchanged and in order, its answers come back unchanged with
// the caller's floating-point state kept, and each library the board must
// refuse gives its reason and -1 at every OpenDevice.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "k8055d/vendor_entries.h"
#include "tests/shared/fpu_registers.h"
#include "tests/win32/module_host.h"
#include "tests/win32/temp_folder.h"
#include "tests/win32/test_host_run.h"
#include "virtual_board/test_variants/recording_vendor.h"

namespace {

constexpr const char* Variables[] = {"VIRTUAL_K8055_BOARDS",   "VIRTUAL_K8055_WINDOW",       "VIRTUAL_K8055_TRACE",
                                     "VIRTUAL_K8055_FORWARD",  "VIRTUAL_K8055_RECEIVED",     "VIRTUAL_K8055_OPEN_ANSWERS",
                                     "VIRTUAL_K8055_REENTER"};

// A test library of boards/test-recording.
std::string Stand(const std::string& name) { return TModuleHost::BoardFolder("test-recording") + "\\" + name; }

std::string RecordingVendor() { return Stand("recording_vendor.dll"); }

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream file(WidePath(path).c_str(), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class Forwarding : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearVariables();
    DeleteFileW(WidePath(Received).c_str());  // left by a run that crashed
    SetEnvironmentVariableW(L"VIRTUAL_K8055_RECEIVED", WidePath(Received).c_str());
  }
  void TearDown() override { ClearVariables(); }
  static void ClearVariables() {
    for (const char* name : Variables) SetEnvironmentVariableA(name, nullptr);
  }
  // A folder of each test's own, since the tests run in parallel.
  TTempFolder Folder{std::string("tarnwell forwarding ") +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name()};
  const std::string Received = Folder.Add("received.txt");
};

// A forwarded call's line: "TIME CALL[ = RESULT] (N us)".
struct TRecordedCall {
  std::string Call;
  std::string Result;  // empty for an entry point without one
  long SpentUs = -1;
};

std::vector<TRecordedCall> RecordedCalls(const std::string& record) {
  static const std::regex forwarded(
      "[0-9]+\\.[0-9]{3} ([A-Za-z]+(?: -?[0-9]+)*)(?: = (-?[0-9]+))? \\(([0-9]+) us\\) @[0-9]+");
  std::vector<TRecordedCall> calls;
  for (const std::string& line : FileLines(record)) {
    if (line.empty() || line[0] == '#') continue;
    std::smatch match;
    EXPECT_TRUE(std::regex_match(line, match, forwarded)) << line;
    calls.push_back({match[1], match[2], match.size() > 3 ? std::stol(match[3]) : -1});
  }
  return calls;
}

TEST_F(Forwarding, EveryCallOfAPlaySessionArrivesUnchangedAndInOrder) {
  const std::string record = Folder.Add("calls.txt");
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", WidePath(record).c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "none");  // ignored: the library answers
  const std::string show = Folder.Write("show.csv", "0,1,65535\n0,9,2560\n50,1,0\n100,9,0\n");
  const THostRun play = RunWithBoard({"play", show});
  ASSERT_EQ(play.Status, 0u) << play.Out << play.Err;

  const std::vector<std::string> received = FileLines(Received);
  const std::vector<TRecordedCall> recorded = RecordedCalls(record);
  ASSERT_EQ(recorded.size(), received.size());
  for (size_t i = 0; i < received.size(); ++i) {
    EXPECT_EQ(recorded[i].Call, received[i]);
    EXPECT_GE(recorded[i].SpentUs, 0) << received[i];
    const bool setCurrent = received[i].rfind("SetCurrentDevice", 0) == 0;
    EXPECT_EQ(recorded[i].Result, received[i] == "OpenDevice 0"  ? "0"
                                  : setCurrent ? std::to_string(RecordingAnswer(veSetCurrentDevice, 0))
                                               : "")
        << received[i];
  }
  const std::vector<std::string> expected = {
      "OpenDevice 0",     "SetCurrentDevice 0", "SetDigitalChannel 1",   "SetCurrentDevice 0",
      "OutputAnalogChannel 1 128", "SetCurrentDevice 0", "ClearDigitalChannel 1", "SetCurrentDevice 0",
      "OutputAnalogChannel 1 0",   "SetCurrentDevice 0", "CloseDevice"};
  EXPECT_EQ(received, expected);

  // The timeline draws the library's lane of the board.
  const THostRun timeline = RunHost({"timeline", record});
  EXPECT_EQ(timeline.Status, 0u) << timeline.Err;
  std::ifstream page(WidePath(Folder.Add("calls.html")).c_str(), std::ios::binary);
  std::stringstream html;
  html << page.rdbuf();
  EXPECT_TRUE(Contains(html.str(), "<g class=\"lane\" data-kind=\"library\" data-calls=\"11\""));
  EXPECT_TRUE(Contains(html.str(), "The vendor's library took 11 calls."));
}

// Two hosts recording into one file at once, each forwarding to a library
// of its own that notes what it receives: every call of each is in the
// record, whole and in order, tagged with its process, and the timeline
// shows both sessions. (Under load the module may send fewer calls than
// the rows, so what each library received is the measure.)
TEST_F(Forwarding, TwoPlaysRecordingIntoOneFileAtOnceLoseNothingAndStayApart) {
  const std::string record = Folder.Add("calls.txt");
  std::string rows;
  for (int row = 0; row < 40; ++row) rows += std::to_string(row * 10) + ",1," + (row % 2 ? "0" : "65535") + "\n";
  const std::string show = Folder.Write("show.csv", rows);
  SetEnvironmentVariableW(L"VIRTUAL_K8055_TRACE", WidePath(record).c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  const std::string received[2] = {Received, Folder.Add("received second.txt")};
  std::vector<std::unique_ptr<THostProcess>> plays;
  for (const std::string& file : received) {
    SetEnvironmentVariableW(L"VIRTUAL_K8055_RECEIVED", WidePath(file).c_str());
    plays.push_back(std::make_unique<THostProcess>(std::vector<std::string>{"--vendor-dir", FullBoardFolder(), "play",
                                                                            show}));
  }
  const std::string processes[2] = {std::to_string(GetProcessId(plays[0]->Process())),
                                    std::to_string(GetProcessId(plays[1]->Process()))};
  for (auto& play : plays) ASSERT_EQ(play->Wait().Status, 0u);

  std::map<std::string, std::vector<std::string>> calls;  // by process
  std::map<std::string, int> sessions;
  for (const std::string& line : FileLines(record)) {
    const size_t tag = line.rfind(" @");
    ASSERT_NE(tag, std::string::npos) << line;
    const std::string process = line.substr(tag + 2);
    if (line.rfind("# session ", 0) == 0) {
      ++sessions[process];
      continue;
    }
    const std::string call = line.substr(line.find(' ') + 1, tag - line.find(' ') - 1);
    calls[process].push_back(call.substr(0, std::min(call.find(" = "), call.find(" ("))));
  }
  ASSERT_EQ(calls.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(sessions[processes[i]], 1) << processes[i];
    EXPECT_EQ(calls[processes[i]], FileLines(received[i])) << processes[i];
    EXPECT_GT(calls[processes[i]].size(), 40u);
  }

  const THostRun timeline = RunHost({"timeline", record});
  EXPECT_EQ(timeline.Status, 0u) << timeline.Err;
  EXPECT_TRUE(Contains(timeline.Out, ": 2 sessions, ")) << timeline.Out;
  std::ifstream page(WidePath(Folder.Add("calls.html")).c_str(), std::ios::binary);
  std::stringstream html;
  html << page.rdbuf();
  for (const std::string& process : processes) EXPECT_TRUE(Contains(html.str(), ", process " + process + "</h2>"));
}

// Calls an entry point of the board with args and returns its result.
uint32_t Call(HMODULE board, TVendorEntry entry, std::vector<uint32_t> args) {
  static const char* const names[] = {
#define ENTRY_NAME(name, result, params, bytes, use) #name,
      LIBRARY_ENTRY_LIST(ENTRY_NAME)
#undef ENTRY_NAME
  };
  const void* address = reinterpret_cast<const void*>(GetProcAddress(board, names[entry]));
  using TOne = uint32_t(__stdcall*)(uint32_t);
  using TTwo = uint32_t(__stdcall*)(uint32_t, uint32_t);
  using TNone = uint32_t(__stdcall*)();
  if (args.size() == 2) return reinterpret_cast<TTwo>(address)(args[0], args[1]);
  if (args.size() == 1) return reinterpret_cast<TOne>(address)(args[0]);
  return reinterpret_cast<TNone>(address)();
}

TEST_F(Forwarding, TheLibrarysAnswersAndWhatItLeavesTheThreadComeBackUnchanged) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_OPEN_ANSWERS", "0=7,2=-1");
  HMODULE board = LoadLibraryA((FullBoardFolder() + "\\k8055d.dll").c_str());
  ASSERT_NE(board, nullptr);
  const uint16_t callersWord = ControlWord();
  const uint32_t callersMxcsr = Mxcsr();
  EXPECT_EQ(static_cast<int32_t>(Call(board, veOpenDevice, {0})), 7);
  EXPECT_EQ(ControlWord(), RecordingControlWord) << "what the library left";
  EXPECT_EQ(Mxcsr(), RecordingMxcsr);
  SetControlWord(callersWord);
  SetMxcsr(callersMxcsr);
  EXPECT_EQ(static_cast<int32_t>(Call(board, veOpenDevice, {2})), -1);
  EXPECT_EQ(static_cast<int32_t>(Call(board, veOpenDevice, {3})), 3);
  EXPECT_EQ(static_cast<int32_t>(Call(board, veSetCurrentDevice, {5})), RecordingAnswer(veSetCurrentDevice, 5));
  EXPECT_EQ(static_cast<int32_t>(Call(board, veReadAnalogChannel, {2})), RecordingAnswer(veReadAnalogChannel, 2));
  EXPECT_EQ(static_cast<int32_t>(Call(board, veReadDigitalChannel, {4})), RecordingAnswer(veReadDigitalChannel, 4));
  EXPECT_EQ(static_cast<int32_t>(Call(board, veReadAllDigital, {})), RecordingAnswer(veReadAllDigital, 0));
  EXPECT_EQ(static_cast<int32_t>(Call(board, veReadCounter, {1})), RecordingAnswer(veReadCounter, 1));
  int32_t data[2] = {0, 0};
  Call(board, veReadAllAnalog, {reinterpret_cast<uint32_t>(&data[0]), reinterpret_cast<uint32_t>(&data[1])});
  EXPECT_EQ(data[0], RecordingAnswer(veReadAllAnalog, 1));
  EXPECT_EQ(data[1], RecordingAnswer(veReadAllAnalog, 2));
  Call(board, veOutputAllAnalog, {static_cast<uint32_t>(-5), 300});  // passed on as they are
  Call(board, veSetCounterDebounceTime, {2, 7000});
  EXPECT_EQ(static_cast<int32_t>(Call(board, veVersion, {})), RecordingAnswer(veVersion, 0));
  EXPECT_EQ(static_cast<int32_t>(Call(board, veConnected, {})), RecordingAnswer(veConnected, 0));
  int32_t values[ReadAllValues] = {};
  Call(board, veReadAll, {reinterpret_cast<uint32_t>(values)});
  EXPECT_EQ(values[7], RecordingAnswer(veReadAll, 8)) << "the library's values, all eight";
  EXPECT_EQ(ControlWord(), RecordingControlWord);
  SetControlWord(callersWord);
  SetMxcsr(callersMxcsr);
  Call(board, veCloseDevice, {});
  // CloseDevice closed every board, as the vendor's library does: the
  // session is over, and the library freed; these are the virtual boards'.
  EXPECT_EQ(static_cast<int32_t>(Call(board, veSetCurrentDevice, {0})), -1);
  Call(board, veCloseDevice, {});
  FreeLibrary(board);
  const std::vector<std::string> expected = {
      "OpenDevice 0",     "OpenDevice 2",     "OpenDevice 3",     "SetCurrentDevice 5",
      "ReadAnalogChannel 2", "ReadDigitalChannel 4", "ReadAllDigital", "ReadCounter 1",
      "ReadAllAnalog",    "OutputAllAnalog -5 300", "SetCounterDebounceTime 2 7000", "Version", "Connected",
      "ReadAll",          "CloseDevice"};
  EXPECT_EQ(FileLines(Received), expected);
}

// The vendor's own file is named k8055d.dll too: forwarded to by its full
// path from another folder, it is loaded as a module of its own beside the
// virtual board, gets every call of a play session and is freed with the
// session's end. (Looked up by name meanwhile, k8055d.dll may be either:
// wine's GetModuleHandle gives the vendor's file, LoadLibrary the board.)
TEST_F(Forwarding, TheVendorsFileAlsoNamedK8055dGetsTheCallsByItsFullPath) {
  const std::string vendor = Folder.Copy(RecordingVendor(), "k8055d.dll");
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", vendor.c_str());
  const std::string show = Folder.Write("show.csv", "0,1,65535\n50,1,0\n");
  const THostRun play = RunWithBoard({"play", show});
  ASSERT_EQ(play.Status, 0u) << play.Out << play.Err;
  const std::vector<std::string> expected = {"OpenDevice 0",       "SetCurrentDevice 0", "SetDigitalChannel 1",
                                             "SetCurrentDevice 0", "ClearDigitalChannel 1", "SetCurrentDevice 0",
                                             "CloseDevice"};
  EXPECT_EQ(FileLines(Received), expected);
  const THostRun version = RunWithBoard({"--version"});
  EXPECT_TRUE(Contains(version.Out, "calls go on to " + vendor + " (VIRTUAL_K8055_FORWARD)")) << version.Out;
  EXPECT_FALSE(Contains(version.Out, "virtual board problem")) << version.Out;

  HMODULE board = LoadLibraryA((FullBoardFolder() + "\\k8055d.dll").c_str());
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(Call(board, veOpenDevice, {2}), 2u);
  const HMODULE forwarded = GetModuleHandleW(WidePath(vendor).c_str());
  EXPECT_NE(forwarded, nullptr);
  EXPECT_NE(forwarded, board);
  Call(board, veCloseDevice, {});
  EXPECT_EQ(GetModuleHandleW(WidePath(vendor).c_str()), nullptr);  // freed at the session's end
  FreeLibrary(board);
}

// A PE32+ DLL's headers, as far as the board reads them.
std::string Dll64Headers() {
  std::string head(1024, '\0');
  head[0] = 'M';
  head[1] = 'Z';
  head[0x3C] = 0x40;
  head.replace(0x40, 4, std::string("PE\0\0", 4));
  head[0x44] = static_cast<char>(0x64);  // machine 0x8664
  head[0x45] = static_cast<char>(0x86);
  head[0x56] = 0x22;  // characteristics: executable, large address aware
  head[0x57] = 0x20;  // DLL
  head[0x58] = 0x0B;  // optional header magic 0x20B
  head[0x59] = 0x02;
  return head;
}

TEST_F(Forwarding, ALibraryItCannotUseGivesItsReasonAndNoBoardAnswers) {
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  const std::string full = FullBoardFolder() + "\\k8055d.dll";
  const struct {
    std::string Path;
    std::string Reason;
  } cases[] = {
      {Folder.Path() + "\\none.dll", "does not exist"},
      {Folder.Path(), "is a folder"},
      {Folder.Write("text.dll", "not a library"), "is not a Windows library"},
      {Folder.Write("wide.dll", Dll64Headers()), "is a 64-bit DLL; the vendor's 32-bit k8055d.dll is needed"},
      {program, "is a program, not a DLL"},
      {TModuleHost::BoardFolder("test-importing") + "\\tarnwell_board_part.dll",
       "lacks the entry points OpenDevice, CloseDevice, SetCurrentDevice"},
      {full, "is a virtual board, not the vendor's library"},
      {TModuleHost::BoardFolder("test-importing") + "\\k8055d.dll", "is a virtual board, not the vendor's library"},
      // Libraries that would load k8055d.dll: here that is the board itself.
      {Stand("board_importer.dll"), "imports k8055d.dll, and k8055d.dll is the virtual board here"},
      {Stand("board_delay_importer.dll"), "imports k8055d.dll, and k8055d.dll is the virtual board here"},
      {Stand("importer_chain.dll"),
       "imports k8055d.dll through board_importer.dll, and k8055d.dll is the virtual board here"},
  };
  for (const auto& c : cases) {
    SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", c.Path.c_str());
    HMODULE board = LoadLibraryA(full.c_str());
    ASSERT_NE(board, nullptr);
    for (uint32_t address = 0; address <= 3; ++address)
      EXPECT_EQ(static_cast<int32_t>(Call(board, veOpenDevice, {address})), -1) << c.Path << " " << address;
    FreeLibrary(board);
    const THostRun version = RunWithBoard({"--version"});
    EXPECT_TRUE(Contains(version.Out, "virtual board problem: forward library " + c.Path + " " + c.Reason))
        << version.Out;
    EXPECT_FALSE(Contains(version.Out, "forwarded library")) << version.Out;
  }
  EXPECT_EQ(FileLines(Received), std::vector<std::string>{});
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", full.c_str());  // named, though refused
  const std::string refused = RunWithBoard({"--version"}).Out;
  EXPECT_TRUE(Contains(refused, "virtual board: refuses the library that forward names, " + full +
                                    " (VIRTUAL_K8055_FORWARD): no call goes on to it and no board answers"))
      << refused;
  EXPECT_FALSE(Contains(refused, "calls go on to")) << refused;
}

TEST_F(Forwarding, VersionNamesTheForwardedLibrary) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  const THostRun version = RunWithBoard({"--version"});
  EXPECT_EQ(version.Status, 0u);
  EXPECT_TRUE(Contains(version.Out, "virtual board: calls go on to " + RecordingVendor() +
                                        " (VIRTUAL_K8055_FORWARD); which boards answer is that "
                                        "library's to say (tarnwell_host cards tries them)\n"))
      << version.Out;
  EXPECT_TRUE(Contains(version.Out, "\nforwarded library (no version resource), " + RecordingVendor() + "\n"))
      << version.Out;
  EXPECT_FALSE(Contains(version.Out, "virtual board problem")) << version.Out;
}

// The title of this process's board window for address, or empty.
std::string BoardWindowTitle(int address) {
  const std::string start = "Virtual K8055, card address " + std::to_string(address);
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "VirtualK8055Board", nullptr));) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char title[2048] = "";
    GetWindowTextA(window, title, sizeof(title));
    if (process == GetCurrentProcessId() && std::string(title).rfind(start, 0) == 0) return title;
  }
  return "";
}

TEST_F(Forwarding, TheWindowsSayWhatTheLibraryAnsweredAndGoWithTheSession) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  SetEnvironmentVariableA("VIRTUAL_K8055_OPEN_ANSWERS", "1=-1");
  HMODULE board = LoadLibraryA((FullBoardFolder() + "\\k8055d.dll").c_str());
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(Call(board, veOpenDevice, {0}), 0u);
  EXPECT_EQ(static_cast<int32_t>(Call(board, veOpenDevice, {1})), -1);
  EXPECT_EQ(BoardWindowTitle(0), "Virtual K8055, card address 0");
  EXPECT_EQ(BoardWindowTitle(1), "Virtual K8055, card address 1 - the vendor's library answered OpenDevice 1 with "
                                 "-1: no board has this card address");
  Call(board, veSetCurrentDevice, {0});
  Call(board, veCloseDevice, {});
  for (int i = 0; i < 100 && (!BoardWindowTitle(0).empty() || !BoardWindowTitle(1).empty()); ++i) Sleep(100);
  EXPECT_EQ(BoardWindowTitle(0), "");
  EXPECT_EQ(BoardWindowTitle(1), "");
  FreeLibrary(board);
  EXPECT_EQ(GetModuleHandleA("recording_vendor.dll"), nullptr);  // freed with the session's end
}

TEST_F(Forwarding, ARefusedLibrarysReasonShowsInTheWindow) {
  const std::string missing = Folder.Path() + "\\none.dll";
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", missing.c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  HMODULE board = LoadLibraryA((FullBoardFolder() + "\\k8055d.dll").c_str());
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(static_cast<int32_t>(Call(board, veOpenDevice, {2})), -1);
  EXPECT_EQ(BoardWindowTitle(2),
            "Virtual K8055, card address 2 - forward library " + missing + " does not exist: no board answers");
  // A library whose entry points are forwarded to k8055d.dll, which in this
  // process is the virtual board: the calls would come back through the chain.
  const std::string chain = TModuleHost::BoardFolder("test-recording") + "\\board_chain.dll";
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", chain.c_str());
  EXPECT_EQ(static_cast<int32_t>(Call(board, veOpenDevice, {3})), -1);
  EXPECT_EQ(BoardWindowTitle(3), "Virtual K8055, card address 3 - forward library " + chain +
                                     " is a virtual board, not the vendor's library: no board answers");
  // One that imports, through a DLL beside it, k8055d.dll.
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", Stand("importer_chain.dll").c_str());
  EXPECT_EQ(static_cast<int32_t>(Call(board, veOpenDevice, {0})), -1);
  EXPECT_EQ(BoardWindowTitle(0), "Virtual K8055, card address 0 - forward library " + Stand("importer_chain.dll") +
                                     " imports k8055d.dll through board_importer.dll, and k8055d.dll is the virtual "
                                     "board here: no board answers");
  FreeLibrary(board);
}

// A library whose OpenDevice calls OpenDevice of the k8055d.dll it loads by
// name at run time, which here is the virtual board: the call that comes
// back on that thread gets the refused answer instead of going round until
// the stack overflows, and the library's own answer reaches the caller.
TEST_F(Forwarding, ACallBackFromInsideTheLibraryGetsTheRefusedAnswer) {
  SetEnvironmentVariableA("VIRTUAL_K8055_FORWARD", RecordingVendor().c_str());
  SetEnvironmentVariableA("VIRTUAL_K8055_REENTER", "1");
  HMODULE board = LoadLibraryA((FullBoardFolder() + "\\k8055d.dll").c_str());
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(Call(board, veOpenDevice, {1}), 1u);
  EXPECT_EQ(Call(board, veOpenDevice, {3}), 3u);  // and with a board open
  SetEnvironmentVariableA("VIRTUAL_K8055_REENTER", nullptr);
  EXPECT_EQ(Call(board, veOpenDevice, {2}), 2u);  // the thread no longer inside
  Call(board, veCloseDevice, {});
  FreeLibrary(board);
  const std::vector<std::string> expected = {"OpenDevice 1", "k8055d.dll OpenDevice 1 = -1",
                                             "OpenDevice 3", "k8055d.dll OpenDevice 3 = -1",
                                             "OpenDevice 2", "CloseDevice"};
  EXPECT_EQ(FileLines(Received), expected);
}

}  // namespace
