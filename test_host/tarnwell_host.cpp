// Loads an output module the way a host does and shows what it reports:
// the information text, and for one instance its caption, ready flag and
// channels.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "module_api.h"

namespace {

// The first fields of the instance record, as the host reads them.
struct THostView {
  int32_t HostTag;
  const char* Caption;
  uint8_t Ready;
  uint8_t Alignment[3];
  int32_t Reserved[5];
  int32_t ChannelCount;
  int32_t ExtraCount;
  const char* ChannelNames;
};

std::string ModuleBesideExe() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + "out_tarnwell.dll";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : ModuleBesideExe();
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load %s (error %lu)\n", path.c_str(), GetLastError());
    return 1;
  }
  TModuleApi api;
  if (const char* missing = BindModuleApi(module, api)) {
    std::fprintf(stderr, "%s does not export %s\n", path.c_str(), missing);
    return 1;
  }

  char info[256];
  api.init(info, sizeof(info) - 1);
  std::printf("module:  %s\ninfo:    %s\n", path.c_str(), info);

  TOutputInstance* instance = api.create(1);
  if (instance == nullptr) {
    std::fprintf(stderr, "create failed: out of memory\n");
    return 1;
  }
  const auto* view = reinterpret_cast<const THostView*>(instance);
  std::printf("caption: %s\nready:   %s\nchannels (%ld):\n", view->Caption, view->Ready ? "yes" : "no",
              static_cast<long>(view->ChannelCount));
  const char* name = view->ChannelNames;
  for (int channel = 1; channel <= view->ChannelCount && *name; ++channel) {
    const char* end = std::strchr(name, '|');
    const int length = end ? static_cast<int>(end - name) : static_cast<int>(std::strlen(name));
    std::printf("  %2d  %.*s\n", channel, length, name);
    name += length + (end ? 1 : 0);
  }
  api.destroy(instance);
  api.finish();
  FreeLibrary(module);
  return 0;
}
