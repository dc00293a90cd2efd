#include "test_host/vendor_search.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool IsAbsoluteWindowsPath(std::string_view path) {
  const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
                     IsSeparator(path[2]);
  const bool unc = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
  return drive || unc;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !IsSeparator(path.back())) path += '\\';
  return path + std::string(name);
}

std::vector<std::string> VendorSearchFolders(const TVendorSearchPlaces& places) {
  std::vector<std::string> folders = {places.ProgramFolder};
  if (!places.DllDirectory.empty()) folders.push_back(places.DllDirectory);
  folders.push_back(places.SystemFolder);
  folders.push_back(places.WindowsFolder);
  std::string_view rest = places.PathVariable;
  while (!rest.empty()) {
    const size_t end = rest.find(';');
    const std::string_view folder = rest.substr(0, end);
    if (IsAbsoluteWindowsPath(folder)) folders.emplace_back(folder);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return folders;
}
