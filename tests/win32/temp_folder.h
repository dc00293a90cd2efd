// Folders of a test's own in the temporary folder, the current directory
// moved for a scope, and UTF-8 paths as Windows' W functions take them (for
// names outside the ANSI code page).
#pragma once

#include <string>
#include <vector>

// The temporary folder, with a trailing backslash.
std::string TempFolder();

// UTF-8 to UTF-16.
std::wstring WidePath(const std::string& utf8);

// A folder in the temporary folder, with everything in it removed at the
// end (files, and subfolders made with Add, emptied first).
class TTempFolder {
 public:
  explicit TTempFolder(const std::string& name);
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // A new file (or, with folder, a subfolder) name in it: its full path.
  std::string Add(const std::string& name, bool folder = false);
  std::string Copy(const std::string& from, const std::string& name);
  std::string Write(const std::string& name, const std::string& content);
  const std::string& Path() const { return Path_; }

 private:
  std::string Path_;
  std::vector<std::string> Files_;
};

// The current directory moved to folder (UTF-8) while the object lives.
class TScopedCurrentDirectory {
 public:
  explicit TScopedCurrentDirectory(const std::string& folder);
  ~TScopedCurrentDirectory();
  TScopedCurrentDirectory(const TScopedCurrentDirectory&) = delete;
  TScopedCurrentDirectory& operator=(const TScopedCurrentDirectory&) = delete;

 private:
  std::wstring Old_;
};
