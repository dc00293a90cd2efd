// What kind of file a would-be library is, from its first bytes, for the
// test host's file checks and the virtual board's forwarding check.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "windows/image_kind.h"

namespace {

// The headers of a PE file: "MZ", the offset of "PE\0\0" at 0x3C, the
// machine, the characteristics and the optional header's magic.
std::string ImageHead(uint16_t machine, uint16_t characteristics, uint16_t magic, uint32_t peOffset = 0x80) {
  std::string head(peOffset + 26, '\0');
  head[0] = 'M';
  head[1] = 'Z';
  for (int i = 0; i < 4; ++i) head[0x3C + i] = static_cast<char>(peOffset >> (8 * i));
  head.replace(peOffset, 4, std::string("PE\0\0", 4));
  const uint16_t fields[][2] = {{4, machine}, {22, characteristics}, {24, magic}};
  for (const auto& field : fields) {
    head[peOffset + field[0]] = static_cast<char>(field[1] & 0xFF);
    head[peOffset + field[0] + 1] = static_cast<char>(field[1] >> 8);
  }
  return head;
}

TEST(ImageKind, HeadersTellWhatAFileIs) {
  constexpr uint16_t Dll = 0x2102, Program = 0x0102;
  EXPECT_EQ(ClassifyImage(ImageHead(0x014C, Dll, 0x010B)), TImageKind::Dll32);
  EXPECT_EQ(ClassifyImage(ImageHead(0x014C, Program, 0x010B)), TImageKind::Program32);
  EXPECT_EQ(ClassifyImage(ImageHead(0x8664, Dll | 0x20, 0x020B)), TImageKind::Dll64);
  EXPECT_EQ(ClassifyImage(ImageHead(0xAA64, 0x0022, 0x020B)), TImageKind::Program64);
  EXPECT_EQ(ClassifyImage(ImageHead(0x01C4, Dll, 0x010B)), TImageKind::OtherProcessor);  // 32-bit ARM
  EXPECT_EQ(ClassifyImage(""), TImageKind::Empty);
  EXPECT_EQ(ClassifyImage("time_ms,channel,value\n"), TImageKind::NotAnImage);
  EXPECT_EQ(ClassifyImage(ImageHead(0x014C, Dll, 0x0107)), TImageKind::NotAnImage);  // a ROM image's magic

  // Cut or lying headers are no image, and reading them stays within head.
  const std::string dll = ImageHead(0x014C, Dll, 0x010B);
  for (size_t size : {size_t{1}, size_t{2}, size_t{0x3C}, size_t{0x40}, size_t{0x84}, dll.size() - 1})
    EXPECT_EQ(ClassifyImage(dll.substr(0, size)), TImageKind::NotAnImage) << size;
  std::string farOffset = dll;
  farOffset[0x3F] = '\x7F';  // "PE" beyond 2 GiB
  EXPECT_EQ(ClassifyImage(farOffset), TImageKind::NotAnImage);

  EXPECT_STREQ(DescribeImageKind(TImageKind::Dll64), "is a 64-bit DLL");
  EXPECT_STREQ(DescribeImageKind(TImageKind::Dll32), "");
}

// Every kind but a 32-bit DLL has a text to follow the file's name: the
// forwarding check writes it into its reason as it is.
TEST(ImageKind, EveryKindButA32BitDllSaysWhatTheFileIs) {
  for (const TImageKind kind : {TImageKind::Empty, TImageKind::NotAnImage, TImageKind::Program32, TImageKind::Dll64,
                                TImageKind::Program64, TImageKind::OtherProcessor}) {
    const char* text = DescribeImageKind(kind);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text).rfind("is ", 0), 0u) << text;
  }
}

}  // namespace
