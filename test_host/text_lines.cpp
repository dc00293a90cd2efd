#include "test_host/text_lines.h"

bool TTextLines::Next(std::string_view& line) {
  if (Done_ || (Rest_.empty() && Number_ > 0)) return false;
  const size_t end = Rest_.find('\n');
  line = Rest_.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (end == std::string_view::npos) Done_ = true;
  else Rest_.remove_prefix(end + 1);
  ++Number_;
  return true;
}
