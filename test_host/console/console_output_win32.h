// The test host's output, UTF-8 text. A console (one opened for writing
// only too) gets it through WriteConsoleW, so that names outside the
// console's code page show as they are; a file or a pipe gets the UTF-8
// bytes. The texts are written in order by a thread of their own
// (output_queue.h): no command waits while the console is held by a
// selection.
#pragma once

#include <string>

void WriteOut(const std::string& text);
void WriteErr(const std::string& text);

// Waits until every text so far has been written.
void FlushOutput();
