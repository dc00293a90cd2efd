// Walks a text line by line, counting lines from 1, for error messages that
// name the line. Accepts "\n" and "\r\n" endings, and skips a UTF-8 byte
// order mark at the start, as editors on Windows write one.
#pragma once

#include <string_view>

class TTextLines {
 public:
  explicit TTextLines(std::string_view text);
  // The next line without its ending; false after the last.
  bool Next(std::string_view& line);
  int Number() const { return Number_; }

 private:
  std::string_view Rest_;
  int Number_ = 0;
  bool Done_ = false;
};
