#include "tests/win32/module_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

std::string TModuleHost::BinFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of("\\/"));
}

std::string TModuleHost::BoardFolder(const std::string& name) { return BinFolder() + "\\boards\\" + name; }

TBoardTrace::TBoardTrace() {
  char temp[MAX_PATH], file[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  GetTempFileNameA(temp, "k8t", 0, file);
  Path_ = file;
  SetEnvironmentVariableA("VIRTUAL_K8055_TRACE", file);
}

TBoardTrace::~TBoardTrace() {
  SetEnvironmentVariableA("VIRTUAL_K8055_TRACE", nullptr);
  DeleteFileA(Path_.c_str());
}

std::vector<std::string> TBoardTrace::Lines() const {
  std::vector<std::string> lines;
  std::ifstream trace(Path_);
  for (std::string line; std::getline(trace, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> TBoardTrace::Calls() const {
  std::vector<std::string> calls;
  for (const std::string& line : Lines())
    if (!line.empty() && line[0] != '#') {
      const size_t call = line.find(' ') + 1;
      const size_t end = std::min(
          {line.find(" = "), line.find(" raised "), line.find(" ("), line.find(" failed: "), line.rfind(" @")});
      calls.push_back(line.substr(call, end == std::string::npos ? std::string::npos : end - call));
    }
  return calls;
}

TModuleHost::TModuleHost(const char* boardFolder, const std::string& modulePath) {
  SetDllDirectoryA(boardFolder ? BoardFolder(boardFolder).c_str() : nullptr);
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr);

  Module = LoadLibraryA((modulePath.empty() ? BinFolder() + "\\out_tarnwell.dll" : modulePath).c_str());
  if (Module == nullptr) ADD_FAILURE() << "out_tarnwell.dll did not load";
  else if (const char* missing = BindModuleApi(Module, Api)) ADD_FAILURE() << "missing export " << missing;
}

TModuleHost::~TModuleHost() {
  if (Module != nullptr) {
    if (!Finished_ && Api.finish) Api.finish();
    FreeLibrary(Module);
  }
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", nullptr);
  SetDllDirectoryA(nullptr);
}

void TModuleHost::Finish() {
  Finished_ = true;
  Api.finish();
}

bool TModuleHost::VendorLibraryLoaded() { return GetModuleHandleA("k8055d.dll") != nullptr; }
