// Where the real DLL finds k8055d.dll, and what loading and freeing it
// leave on the host's thread: never from the current directory (a host's
// open dialog moves it anywhere), from the loader's other places by full
// path, the host's own copy if it has one loaded; the host's floating-point
// state and error mode unchanged, no error box.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "tests/shared/fpu_registers.h"
#include "tests/win32/import_patch.h"
#include "tests/win32/module_host.h"
#include "tests/win32/structured_exception.h"
#include "tests/win32/temp_folder.h"
#include "virtual_board/test_variants/fpu_changing.h"

namespace {

std::string LoadedVendorPath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA("k8055d.dll"), path, MAX_PATH);
  return path;
}

bool IsReady(const TOutputInstance* instance) { return instance->Ready == 1; }

// PATH with a folder put first, for one test.
class TScopedPath {
 public:
  explicit TScopedPath(const std::string& first) {
    GetEnvironmentVariableA("PATH", Old_, sizeof(Old_));
    SetEnvironmentVariableA("PATH", (first + ";" + Old_).c_str());
  }
  ~TScopedPath() { SetEnvironmentVariableA("PATH", Old_); }

 private:
  char Old_[32768];
};

// A host's open dialog has moved the current directory to a folder holding
// a k8055d.dll, as a planted one on a USB stick would.
TEST(VendorLoading, ALibraryInTheCurrentDirectoryIsNotLoaded) {
  TModuleHost host(nullptr);
  TScopedCurrentDirectory planted(TModuleHost::BoardFolder("full"));
  TOutputInstance* instance = host.Api.create(1);
  EXPECT_STREQ(instance->Caption, "Cannot load k8055d.dll");
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
  host.Api.destroy(instance);
}

// A relative PATH entry names a place below the current directory as well.
TEST(VendorLoading, RelativePathEntriesAreSkippedAbsoluteOnesSearched) {
  TScopedCurrentDirectory current(TModuleHost::BinFolder());
  {
    TModuleHost host(nullptr);
    TScopedPath path("boards\\full");
    TOutputInstance* instance = host.Api.create(1);
    EXPECT_FALSE(IsReady(instance));
    host.Api.destroy(instance);
  }
  TModuleHost host(nullptr);
  TScopedPath path(TModuleHost::BoardFolder("full"));
  TOutputInstance* instance = host.Api.create(1);
  EXPECT_TRUE(IsReady(instance));
  EXPECT_EQ(LoadedVendorPath(), TModuleHost::BoardFolder("full") + "\\k8055d.dll");
  host.Api.destroy(instance);
}

// The host drives a board itself: its k8055d.dll is the one used (not the
// incomplete one in the search folder), and finish leaves it loaded.
TEST(VendorLoading, TheHostsLoadedLibraryIsUsedAndStaysLoaded) {
  TModuleHost host("without-ReadCounter");
  HMODULE hosts = LoadLibraryA((TModuleHost::BoardFolder("full") + "\\k8055d.dll").c_str());
  TOutputInstance* instance = host.Api.create(1);
  EXPECT_TRUE(IsReady(instance));
  host.Api.destroy(instance);
  host.Finish();
  EXPECT_EQ(GetModuleHandleA("k8055d.dll"), hosts);
  FreeLibrary(hosts);
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
}

// A folder whose name the ANSI code page cannot spell.
TEST(VendorLoading, AFolderWithANonAnsiNameIsSearched) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tarnwell-\u03A9\u03BC\u03AD\u03B3\u03B1-" +
                              std::to_wstring(GetCurrentProcessId());
  const std::wstring library = folder + L"\\k8055d.dll";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::string board = TModuleHost::BoardFolder("full") + "\\k8055d.dll";
  ASSERT_TRUE(CopyFileW(std::wstring(board.begin(), board.end()).c_str(), library.c_str(), FALSE));
  {
    TModuleHost host(nullptr);
    SetDllDirectoryW(folder.c_str());
    TOutputInstance* instance = host.Api.create(1);
    EXPECT_TRUE(IsReady(instance));
    host.Api.destroy(instance);
  }
  DeleteFileW(library.c_str());
  RemoveDirectoryW(folder.c_str());
}

std::string Unique(const std::string& name) { return name + "-" + std::to_string(GetCurrentProcessId()); }

// A host's plug-in folder: a copy of the module, and files beside it.
class TPluginFolder : public TTempFolder {
 public:
  explicit TPluginFolder(const std::string& name) : TTempFolder(Unique(name)) {
    Module = Copy(TModuleHost::BinFolder() + "\\out_tarnwell.dll", "out_tarnwell.dll");
  }
  // A file of a virtual board's folder, copied beside the module.
  std::string Beside(const std::string& board, const std::string& file) {
    return Copy(TModuleHost::BoardFolder(board) + "\\" + file, file);
  }
  std::string Module;
};

// A user copies k8055d.dll beside the module: it is found there, before the
// folder the host set with SetDllDirectory (here an incomplete library).
TEST(VendorLoading, TheModulesOwnFolderIsSearchedBeforeTheDllDirectory) {
  TPluginFolder plugins("tarnwell-plugins");
  const std::string library = plugins.Beside("full", "k8055d.dll");
  TModuleHost host("without-ReadCounter", plugins.Module);
  TOutputInstance* instance = host.Api.create(1);
  EXPECT_TRUE(IsReady(instance));
  EXPECT_EQ(LoadedVendorPath(), library);
  host.Api.destroy(instance);
}

// The module's lookups of kernel32's newer functions, with AddDllDirectory
// taken for absent, as on Windows XP or a Windows 7 without KB2533623.
HMODULE(WINAPI* RealGetProcAddress)(HMODULE, const char*);
FARPROC WINAPI GetProcAddressWithoutAddDllDirectory(HMODULE module, const char* name) {
  if (HIWORD(name) != 0 && std::strcmp(name, "AddDllDirectory") == 0) return nullptr;
  return reinterpret_cast<FARPROC>(RealGetProcAddress(module, name));
}

class TWithoutAddDllDirectory {
 public:
  explicit TWithoutAddDllDirectory(HMODULE module)
      : Patch_(module, "kernel32.dll", "GetProcAddress",
               reinterpret_cast<void*>(GetProcAddressWithoutAddDllDirectory)) {
    RealGetProcAddress = reinterpret_cast<decltype(RealGetProcAddress)>(Patch_.Original());
    EXPECT_TRUE(Patch_.Patched());
  }

 private:
  TImportPatch Patch_;
};

constexpr char BoardPart[] = "tarnwell_board_part.dll";

// The vendor library imports a DLL that lies beside it, in a folder that is
// neither the program's nor the current directory: found there, whether
// Windows has the LOAD_LIBRARY_SEARCH flags or not.
TEST(VendorLoading, ALibrarysOwnDependenciesAreFoundInItsFolder) {
  TPluginFolder plugins("tarnwell-importing");
  const std::string library = plugins.Beside("test-importing", "k8055d.dll");
  plugins.Beside("test-importing", BoardPart);
  for (const bool addDllDirectory : {true, false}) {
    TModuleHost host(nullptr, plugins.Module);
    std::optional<TWithoutAddDllDirectory> olderWindows;
    if (!addDllDirectory) olderWindows.emplace(host.Module);
    TOutputInstance* instance = host.Api.create(1);
    EXPECT_TRUE(IsReady(instance)) << "AddDllDirectory " << addDllDirectory;
    EXPECT_EQ(LoadedVendorPath(), library);
    host.Api.destroy(instance);
  }
  EXPECT_EQ(GetModuleHandleA(BoardPart), nullptr) << "freed with the library";
}

// Where Windows has AddDllDirectory, none of the library's dependencies is
// taken from the current directory (a host's open dialog moves it anywhere).
TEST(VendorLoading, NoDependencyOfTheLibraryFromTheCurrentDirectory) {
  TPluginFolder plugins("tarnwell-importing-alone");
  plugins.Beside("test-importing", "k8055d.dll");
  TTempFolder current(Unique("tarnwell-current"));
  current.Copy(TModuleHost::BoardFolder("test-importing") + "\\" + BoardPart, BoardPart);
  TModuleHost host(nullptr, plugins.Module);
  TScopedCurrentDirectory moved(current.Path());
  TOutputInstance* instance = host.Api.create(1);
  EXPECT_STREQ(instance->Caption, "Cannot load k8055d.dll");
  EXPECT_EQ(GetModuleHandleA(BoardPart), nullptr);
  host.Api.destroy(instance);
}

// A Delphi host's floating-point settings; the test board's start-up and
// clean-up code sets others.
constexpr uint16_t HostControlWord = 0x1332;
constexpr uint32_t HostMxcsr = 0x1900;
constexpr char QuietErrorMode[] = "8001";  // SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX

struct THostThreadState {
  uint16_t ControlWord;
  uint32_t Mxcsr;
  DWORD ThreadErrorMode;
  UINT ProcessErrorMode;
  static THostThreadState Now() { return {::ControlWord(), ::Mxcsr(), GetThreadErrorMode(), GetErrorMode()}; }
  bool operator==(const THostThreadState&) const = default;
};

std::string Variable(const char* name) {
  char value[64] = "";
  GetEnvironmentVariableA(name, value, sizeof(value));
  return value;
}

TEST(VendorLoading, LoadingAndFreeingKeepTheHostsThreadState) {
  const uint16_t originalWord = ControlWord();
  const uint32_t originalMxcsr = Mxcsr();
  TModuleHost host("test-fpu-changing");
  SetThreadErrorMode(0, nullptr);
  SetControlWord(HostControlWord);
  SetMxcsr(HostMxcsr);
  const THostThreadState before = THostThreadState::Now();
  TOutputInstance* instance = host.Api.create(1);
  const THostThreadState afterCreate = THostThreadState::Now();
  host.Api.destroy(instance);
  host.Finish();
  const THostThreadState afterFinish = THostThreadState::Now();
  SetControlWord(originalWord);
  SetMxcsr(originalMxcsr);

  EXPECT_TRUE(IsReady(instance));
  // The control word reads back with its reserved bit 6 set.
  EXPECT_EQ(before.ControlWord, HostControlWord | 0x40);
  EXPECT_EQ(afterCreate.ControlWord, before.ControlWord);
  EXPECT_EQ(afterCreate.Mxcsr, HostMxcsr);
  EXPECT_EQ(afterFinish.ControlWord, before.ControlWord);
  EXPECT_EQ(afterFinish.Mxcsr, HostMxcsr);
  EXPECT_TRUE(afterCreate == before && afterFinish == before) << "error modes";
  EXPECT_EQ(Variable("VIRTUAL_K8055_ATTACH_ERROR_MODE"), QuietErrorMode) << "no error box while loading";
  EXPECT_EQ(Variable("VIRTUAL_K8055_DETACH_ERROR_MODE"), QuietErrorMode);
}

// What a call left on the host's thread: whether it raised (and what), the
// control word, the status word. Any exception still pending is dropped
// before the test's own code runs on.
struct TCallOutcome {
  bool Raised;
  DWORD Code;
  uint16_t ControlWord;
  uint16_t StatusWord;
};

template <typename TCall>
TCallOutcome UnderHostControlWord(TCall call) {
  const uint16_t original = ControlWord();
  SetControlWord(HostControlWord);
  EXCEPTION_RECORD record{};
  const bool raised = CatchStructuredException(call, record);
  const TCallOutcome outcome = {raised, record.ExceptionCode, ::ControlWord(), ::StatusWord()};
  SetControlWord(original);
  return outcome;
}

// The library's start-up and clean-up code leave a zero divide pending under
// the host's control word, which unmasks it: restoring the host's
// environment must not raise it (EXCEPTION_FLT_DIVIDE_BY_ZERO) into the
// host, which would lose the loaded library in create and free it twice
// with a second finish.
TEST(VendorLoading, AnExceptionTheLibraryLeavesPendingIsDroppedNotRaised) {
  TModuleHost host("test-fpu-pending");
  TOutputInstance* instance = nullptr;
  const TCallOutcome create = UnderHostControlWord([&] { instance = host.Api.create(1); });
  ASSERT_FALSE(create.Raised) << std::hex << create.Code;
  EXPECT_TRUE(IsReady(instance));
  EXPECT_TRUE(TModuleHost::VendorLibraryLoaded());
  host.Api.destroy(instance);
  const TCallOutcome finish = UnderHostControlWord([&] { host.Finish(); });
  EXPECT_FALSE(finish.Raised) << std::hex << finish.Code;
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
  for (const TCallOutcome& outcome : {create, finish}) {
    EXPECT_EQ(outcome.ControlWord, HostControlWord | 0x40);
    EXPECT_EQ(outcome.StatusWord & ExceptionFlags, 0) << "nothing pending";
  }
}

}  // namespace
