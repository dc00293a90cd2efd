#include "test_host/module_session.h"

#include "test_host/exit_status.h"
#include "test_host/vendor_check.h"

namespace {

std::string WindowsError(DWORD code) {
  char text[256] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof(text),
                 nullptr);
  std::string message = text;
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
    message.pop_back();
  return "Windows error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? std::string(full, n) : path;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program(path, n);
  return program.substr(0, program.find_last_of("\\/") + 1);
}

int TModuleSession::Load(const TCommand& command, std::string& error) {
  if (!command.VendorDir.empty()) {
    const std::string folder = FullPath(command.VendorDir);
    if (!IsFolder(folder)) {
      error = "--vendor-dir " + command.VendorDir + " is not a folder";
      return ExitBadInput;
    }
    SetDllDirectoryA(folder.c_str());
  }
  Path = FullPath(command.ModulePath.empty() ? ProgramFolder() + "out_tarnwell.dll" : command.ModulePath);
  Module_ = LoadLibraryA(Path.c_str());
  if (Module_ == nullptr) {
    const DWORD code = GetLastError();
    error = GetFileAttributesA(Path.c_str()) == INVALID_FILE_ATTRIBUTES ? Path + " does not exist"
                                                                        : "cannot load " + Path + " (" + WindowsError(code) + ")";
    return ExitUnusable;
  }
  if (const char* missing = BindModuleApi(Module_, Api)) {
    error = Path + " is not an output module: it has no export \"" + missing + "\"";
    return ExitUnusable;
  }
  Bound_ = true;
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

int CreateReadyInstance(const TCommand& command, TModuleSession& session, TOutputInstance*& instance,
                        std::string& error) {
  if (const int status = session.Load(command, error)) return status;
  if ((instance = session.Create(error)) == nullptr) return ExitUnusable;
  const TOutputInstance& record = *instance;
  if (record.Ready) return ExitDone;
  error = std::string(record.Caption) + ": " + WhyVendorUnusable();
  return ExitUnusable;
}
