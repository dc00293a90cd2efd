// Reads a whole text file, for the input files of set, play and timeline,
// as UTF-8 (text_encoding.h), and writes one, for timeline's page.
#pragma once

#include <string>

// path: UTF-8. On failure sets error to `cannot read PATH (Windows error N:
// the system's text)`, or to PATH and why it is not a text file.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);

// Writes text as the whole file at path (UTF-8), replacing one that is
// there. On failure sets error to `cannot write PATH (Windows error N: ...)`.
bool WriteTextFile(const std::string& path, const std::string& text, std::string& error);
