// Builds a text in a buffer of fixed size, for the virtual board, which
// links no C++ library: parts past the end are cut, never inside a UTF-8
// character, and the text stays NUL-terminated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class TFixedText {
 public:
  // Appends to what buffer holds already.
  TFixedText(char* buffer, size_t size);
  TFixedText& operator<<(std::string_view part);
  TFixedText& operator<<(int64_t number);
  // A number 0 or more with leading zeros to width digits: Padded(7, 3) "007".
  TFixedText& Padded(int64_t number, int width);
  // Eight hexadecimal digits, upper case: Hex8(0xC0000005) "C0000005".
  TFixedText& Hex8(uint32_t value);
  // value in double quotes; of a long value only the first 60 bytes and "...".
  TFixedText& Quoted(std::string_view value);
  // A line end first unless the text is empty, to list one more line.
  TFixedText& NextLine();
  std::string_view View() const { return {Buffer_, Length_}; }

 private:
  char* Buffer_;
  size_t Size_;
  size_t Length_;
};

// How much of text fits in max bytes without cutting a UTF-8 character.
size_t Utf8Prefix(std::string_view text, size_t max);
