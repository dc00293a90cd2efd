// A folder of a test's own in the temporary folder, with everything in it
// removed at the end (no deeper than one subfolder). Names are UTF-8 and
// may lie outside the ANSI code page.
#pragma once

#include <string>
#include <vector>

class TTempFolder {
 public:
  explicit TTempFolder(const std::string& name);
  ~TTempFolder();
  // A new file (or, with folder, a subfolder) name in it: its full path.
  std::string Add(const std::string& name, bool folder = false);
  std::string Copy(const std::string& from, const std::string& name);
  std::string Write(const std::string& name, const std::string& content);
  const std::string& Path() const { return Path_; }

 private:
  std::string Path_;
  std::vector<std::string> Files_;
};
