#include "test_host/number_text.h"

std::string_view Trimmed(std::string_view text) {
  const char* blanks = " \t\r";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool ParseQuantity(std::string_view text, const TQuantity& quantity, int32_t& value, std::string& error) {
  const std::string_view digits = Trimmed(text);
  int64_t number = 0;
  bool valid = !digits.empty() && digits.size() <= 10;
  for (char c : digits) {
    if (c < '0' || c > '9') valid = false;
    else number = number * 10 + (c - '0');
  }
  if (valid && number >= quantity.Min && number <= quantity.Max) {
    value = static_cast<int32_t>(number);
    return true;
  }
  error = std::string(quantity.Name) + " \"" + std::string(digits) + "\" is not a whole number from " +
          std::to_string(quantity.Min) + " to " + std::to_string(quantity.Max);
  return false;
}
