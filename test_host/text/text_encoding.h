// The input files' text as the test host reads it. UTF-8 (with or without
// a byte order mark) and ANSI files pass as they are; UTF-16, which
// Notepad saves as "Unicode" and Windows PowerShell 5 writes with ">", is
// turned into UTF-8, so that it reads like any other text.
#pragma once

#include <string>

// bytes: a whole file. UTF-16 is known by its byte order mark or, without
// one, by a first character of ASCII with its zero byte. False (problem
// set, to follow the file's name) when the result holds NUL bytes: not a
// text file, such as a spreadsheet's own file instead of its CSV.
bool DecodeTextFile(std::string& bytes, std::string& problem);
