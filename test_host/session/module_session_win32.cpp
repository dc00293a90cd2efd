#include "test_host/session/module_session_win32.h"

#include "test_host/console/exit_status_win32.h"
#include "test_host/diagnosis/library_file_win32.h"
#include "test_host/text/windows_error_win32.h"
#include "test_host/session/vendor_call_watch_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"
#include "test_host/text/file_paths_win32.h"
#include "test_host/text/wide_text_win32.h"

namespace {

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string ModulePathOf(const TLoadPaths& paths) {
  return FullPath(paths.ModulePath.empty() ? ProgramFolder() + "out_tarnwell.dll" : paths.ModulePath);
}

int UseVendorDir(const TLoadPaths& paths, std::string& error) {
  if (paths.VendorDir.empty()) return ExitDone;
  const std::string folder = FullPath(paths.VendorDir);
  if (!IsFolder(folder)) {
    error = "--vendor-dir " + paths.VendorDir + " is not a folder";
    return ExitBadInput;
  }
  SetDllDirectoryW(Wide(folder).c_str());
  return ExitDone;
}

int TModuleSession::Load(const TLoadPaths& paths, std::string& error) {
  if (const int status = UseVendorDir(paths, error)) return status;
  Path = ModulePathOf(paths);
  if (const std::string why = WhyNotA32BitDll(Path); !why.empty()) {
    error = Path + " " + why;
    if (why != DoesNotExist) error += "; the module must be the 32-bit out_tarnwell.dll";
    return ExitUnusable;
  }
  Module_ = LoadLibraryW(Wide(Path).c_str());
  if (Module_ == nullptr) {
    const DWORD code = GetLastError();
    error = code == ERROR_MOD_NOT_FOUND ? Path + " needs a library that is missing on this system"
                                        : "cannot load " + Path + " (" + WindowsError(code, Path) + ")";
    return ExitUnusable;
  }
  if (const char* missing = BindModuleApi(Module_, Api)) {
    error = Path + " is not an output module: it has no export \"" + missing + "\"";
    return ExitUnusable;
  }
  Bound_ = true;
  CallsWatched = WatchVendorCalls(Module_);
  return ExitDone;
}

TOutputInstance* TModuleSession::Create(std::string& error) {
  TOutputInstance* instance = Api.create(static_cast<int32_t>(Instances_.size() + 1));
  if (instance == nullptr) error = "create gave no instance (out of memory?)";
  else Instances_.push_back(instance);
  return instance;
}

TModuleSession::~TModuleSession() {
  if (Module_ == nullptr) return;
  if (Bound_) {
    for (TOutputInstance* instance : Instances_) Api.destroy(instance);
    Api.finish();
  }
  FreeLibrary(Module_);
}

int CreateReadyInstance(const TLoadPaths& paths, TModuleSession& session, TOutputInstance*& instance,
                        std::string& error) {
  if (const int status = session.Load(paths, error)) return status;
  if ((instance = session.Create(error)) == nullptr) return ExitUnusable;
  const TOutputInstance& record = *instance;
  if (record.Ready) return ExitDone;
  error = std::string(record.Caption) + ": " + WhyVendorUnusable(session.Path);
  return ExitUnusable;
}
