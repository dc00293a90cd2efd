// Reads a whole text file, for the input files of set and play.
#pragma once

#include <string>

// path: UTF-8. On failure sets error to `cannot read PATH`.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
