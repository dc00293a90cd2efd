#include "module/settings_text.h"

#include "common/common.h"
#include "module/card_slots.h"

int32_t CardNumberFromText(std::string_view field) {
  const bool negative = !field.empty() && field.front() == '-';
  if (negative) field.remove_prefix(1);
  if (field.empty()) return 0;
  const int64_t limit = negative ? 2147483648LL : 2147483647LL;
  int64_t value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
    if (value > limit) return 0;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

void OpenSettings(TOutputInstance* instance, const char* text) {
  if (instance == nullptr) return;
  std::string_view rest = text != nullptr ? std::string_view(text) : std::string_view();
  const int32_t card = CardNumberFromText(CutFirstField(rest, ','));
  instance->Details->Card = card;
  if (card >= 1 && card <= CardAddressCount) OpenCard(card - 1);
}

int32_t SaveSettings(const TOutputInstance* instance, char* buffer, uint32_t size) {
  if (instance == nullptr) return 0;
  char digits[12];  // "-2147483648"
  char* end = digits + sizeof(digits);
  char* p = end;
  const int32_t card = instance->Details->Card;
  uint32_t magnitude = card < 0 ? 0u - static_cast<uint32_t>(card) : static_cast<uint32_t>(card);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (card < 0) *--p = '-';
  return TextToBuffer(std::string_view(p, static_cast<size_t>(end - p)), buffer, size);
}
