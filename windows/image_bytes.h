// Reading a Windows image's bytes: little-endian numbers at an offset,
// bounds checked, for the readers of its headers (image_kind.h) and of its
// import tables (image_imports.h).
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr uint32_t DosNewHeaderOffset = 0x3C;  // where the DOS header keeps the offset of "PE\0\0"
inline constexpr uint16_t OptionalMagic32 = 0x010B;   // PE32

// The little-endian number of bytes bytes at offset, or false past the end.
inline bool ReadLittleEndian(std::string_view image, uint64_t offset, int bytes, uint32_t& value) {
  if (offset + bytes > image.size()) return false;
  value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(image[offset + i]);
  return true;
}
