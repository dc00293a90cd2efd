#include "test_host/text/text_lines.h"

TTextLines::TTextLines(std::string_view text) : Rest_(text) {
  constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
  if (Rest_.substr(0, ByteOrderMark.size()) == ByteOrderMark) Rest_.remove_prefix(ByteOrderMark.size());
}

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
