// Walks a text line by line, counting lines from 1, for error messages that
// name the line. Accepts "\n" and "\r\n" endings.
#pragma once

#include <string_view>

class TTextLines {
 public:
  explicit TTextLines(std::string_view text) : Rest_(text) {}
  // The next line without its ending; false after the last.
  bool Next(std::string_view& line);
  int Number() const { return Number_; }

 private:
  std::string_view Rest_;
  int Number_ = 0;
  bool Done_ = false;
};
