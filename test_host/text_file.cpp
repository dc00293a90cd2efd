#include "test_host/text_file.h"

#include <fstream>
#include <sstream>

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  if (file) content << file.rdbuf();
  if (!file || file.bad()) {
    error = "cannot read " + path;
    return false;
  }
  text = content.str();
  return true;
}
