#include "test_host/text/number_text.h"

std::string_view Trimmed(std::string_view text) {
  const char* blanks = " \t\r";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string QuotedField(std::string_view text) {
  constexpr size_t MaxQuoted = 60;
  size_t cut = text.size();
  if (cut > MaxQuoted) {
    cut = MaxQuoted;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
  }
  std::string quoted = "\"";
  quoted.append(text.substr(0, cut));
  if (cut < text.size()) quoted.append("...");
  return quoted.append("\"");
}

std::string CountOf(size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

bool ParseQuantity(std::string_view text, const TQuantity& quantity, int32_t& value, std::string& error) {
  const std::string_view digits = Trimmed(text);
  int64_t number = 0;
  // At most ten digits, so that the number fits in 64 bits whatever the text.
  bool valid = !digits.empty() && digits.size() <= 10;
  for (size_t i = 0; valid && i < digits.size(); ++i) {
    valid = digits[i] >= '0' && digits[i] <= '9';
    number = number * 10 + (digits[i] - '0');
  }
  if (valid && number >= quantity.Min && number <= quantity.Max) {
    value = static_cast<int32_t>(number);
    return true;
  }
  error = std::string(quantity.Name) + " " + QuotedField(digits) + " is not a whole number from " +
          std::to_string(quantity.Min) + " to " + std::to_string(quantity.Max);
  return false;
}
