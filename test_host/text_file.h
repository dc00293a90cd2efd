// Reads a whole text file, for the input files of set and play, as UTF-8
// (text_encoding.h).
#pragma once

#include <string>

// path: UTF-8. On failure sets error to `cannot read PATH`, or to PATH and
// why it is not a text file.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
