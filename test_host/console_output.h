// The test host's output, UTF-8 text. A console gets it through
// WriteConsoleW, so that names outside the console's code page show as they
// are; a file or a pipe gets the UTF-8 bytes. Every write is flushed, so
// that the two streams keep their order.
#pragma once

#include <string>

void WriteOut(const std::string& text);
void WriteErr(const std::string& text);
