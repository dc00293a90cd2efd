#include "test_host/text/text_encoding.h"

#include <cstdint>

namespace {

constexpr uint32_t ReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& text, uint32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | c >> 6);
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | c >> 12);
    text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | c >> 18);
    text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-16 from bytes[start] on, little- or big-endian, as UTF-8. A lone
// surrogate or an odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(const std::string& bytes, size_t start, bool bigEndian) {
  const auto unit = [&](size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<uint32_t>(bigEndian ? first << 8 | second : second << 8 | first);
  };
  std::string text;
  size_t at = start;
  for (; at + 1 < bytes.size(); at += 2) {
    uint32_t c = unit(at);
    if (c >= 0xD800 && c <= 0xDBFF && at + 3 < bytes.size() && unit(at + 2) >= 0xDC00 && unit(at + 2) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
      at += 2;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = ReplacementCharacter;
    }
    AppendUtf8(text, c);
  }
  if (at < bytes.size()) AppendUtf8(text, ReplacementCharacter);
  return text;
}

bool StartsWith(const std::string& bytes, const char* mark) { return bytes.compare(0, 2, mark, 2) == 0; }

bool IsAscii(char c) { return c > 0 && static_cast<unsigned char>(c) < 0x80; }

}  // namespace

bool DecodeTextFile(std::string& bytes, std::string& problem) {
  if (StartsWith(bytes, "\xFF\xFE")) bytes = Utf16ToUtf8(bytes, 2, false);
  else if (StartsWith(bytes, "\xFE\xFF")) bytes = Utf16ToUtf8(bytes, 2, true);
  else if (bytes.size() >= 2 && IsAscii(bytes[0]) && bytes[1] == '\0') bytes = Utf16ToUtf8(bytes, 0, false);
  else if (bytes.size() >= 2 && bytes[0] == '\0' && IsAscii(bytes[1])) bytes = Utf16ToUtf8(bytes, 0, true);
  if (bytes.find('\0') == std::string::npos) return true;
  problem = "is not a text file (it holds NUL bytes): save a spreadsheet as CSV";
  return false;
}
