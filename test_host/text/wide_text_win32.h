// The test host keeps its texts, paths included, in UTF-8; Windows takes
// them in UTF-16 through its W functions, so that names outside the ANSI
// code page ("Łódź", "測試") work. These convert at that boundary.
#pragma once

#include <string>

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
