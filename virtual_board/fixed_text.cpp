#include "virtual_board/fixed_text.h"

#include <cstring>

size_t Utf8Prefix(std::string_view text, size_t max) {
  if (text.size() <= max) return text.size();
  size_t cut = max;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

TFixedText::TFixedText(char* buffer, size_t size) : Buffer_(buffer), Size_(size), Length_(std::strlen(buffer)) {}

TFixedText& TFixedText::operator<<(std::string_view part) {
  const size_t count = Utf8Prefix(part, Size_ - 1 - Length_);
  std::memcpy(Buffer_ + Length_, part.data(), count);
  Length_ += count;
  Buffer_[Length_] = '\0';
  return *this;
}

TFixedText& TFixedText::operator<<(int64_t number) {
  char digits[24];
  size_t n = 0;
  uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
  do digits[sizeof(digits) - ++n] = static_cast<char>('0' + magnitude % 10);
  while ((magnitude /= 10) != 0);
  if (number < 0) digits[sizeof(digits) - ++n] = '-';
  return *this << std::string_view(digits + sizeof(digits) - n, n);
}

TFixedText& TFixedText::Padded(int64_t number, int width) {
  for (int64_t limit = 10; --width > 0; limit *= 10)
    if (number < limit) *this << "0";
  return *this << number;
}

TFixedText& TFixedText::Hex8(uint32_t value) {
  char digits[8];
  for (int i = 7; i >= 0; --i, value >>= 4) digits[i] = "0123456789ABCDEF"[value & 15];
  return *this << std::string_view(digits, sizeof(digits));
}

TFixedText& TFixedText::Quoted(std::string_view value) {
  constexpr size_t MaxQuoted = 60;
  const size_t cut = Utf8Prefix(value, MaxQuoted);
  return *this << "\"" << value.substr(0, cut) << (cut < value.size() ? "...\"" : "\"");
}

TFixedText& TFixedText::NextLine() { return Length_ == 0 ? *this : *this << "\n"; }
