// Windows' error texts hold insert sequences for the name they are about
// ("%1 is not a valid Win32 application."). The test host asks for them
// unformatted (the count of inserts a text needs is not known beforehand,
// so formatting with arguments could read past them) and fills them here.
#pragma once

#include <string>
#include <string_view>

// text with every insert sequence %1 ... %99, with or without a printf
// format in "!...!", replaced by name.
std::string FillMessageInserts(std::string_view text, std::string_view name);
