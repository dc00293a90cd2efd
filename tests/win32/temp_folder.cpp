#include "tests/win32/temp_folder.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>

std::string TempFolder() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return folder;
}

std::wstring WidePath(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
  return wide;
}

TTempFolder::TTempFolder(const std::string& name) : Path_(TempFolder() + name) {
  CreateDirectoryW(WidePath(Path_).c_str(), nullptr);
}

TTempFolder::~TTempFolder() {
  for (auto it = Files_.rbegin(); it != Files_.rend(); ++it) {
    DeleteFileW(WidePath(*it).c_str());
    RemoveDirectoryW(WidePath(*it).c_str());
  }
  RemoveDirectoryW(WidePath(Path_).c_str());
}

std::string TTempFolder::Add(const std::string& name, bool folder) {
  Files_.push_back(Path_ + "\\" + name);
  if (folder) CreateDirectoryW(WidePath(Files_.back()).c_str(), nullptr);
  return Files_.back();
}

std::string TTempFolder::Copy(const std::string& from, const std::string& name) {
  const std::string to = Add(name);
  EXPECT_TRUE(CopyFileW(WidePath(from).c_str(), WidePath(to).c_str(), FALSE)) << to;
  return to;
}

std::string TTempFolder::Write(const std::string& name, const std::string& content) {
  const std::string path = Add(name);
  std::ofstream(WidePath(path).c_str(), std::ios::binary) << content;
  return path;
}

TScopedCurrentDirectory::TScopedCurrentDirectory(const std::string& folder) {
  Old_.resize(GetCurrentDirectoryW(0, nullptr));
  Old_.resize(GetCurrentDirectoryW(static_cast<DWORD>(Old_.size()), &Old_[0]));
  SetCurrentDirectoryW(WidePath(folder).c_str());
}

TScopedCurrentDirectory::~TScopedCurrentDirectory() { SetCurrentDirectoryW(Old_.c_str()); }
