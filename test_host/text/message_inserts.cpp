#include "test_host/text/message_inserts.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the insert sequence %1 ... %99 at text[at] ('%'), or 0
// for any other sequence.
size_t InsertLength(std::string_view text, size_t at) {
  size_t end = at + 1;
  if (end >= text.size() || !IsDigit(text[end]) || text[end] == '0') return 0;
  ++end;
  if (end < text.size() && IsDigit(text[end])) ++end;
  if (end < text.size() && text[end] == '!') {
    const size_t close = text.find('!', end + 1);
    if (close != std::string_view::npos) end = close + 1;
  }
  return end - at;
}

}  // namespace

std::string FillMessageInserts(std::string_view text, std::string_view name) {
  std::string filled;
  for (size_t at = 0; at < text.size();) {
    const size_t length = text[at] == '%' ? InsertLength(text, at) : 0;
    if (length == 0) {
      filled += text[at++];
      continue;
    }
    filled += name;
    at += length;
  }
  return filled;
}
