#include "windows/image_kind.h"

#include <cstdint>
#include <cstring>

#include "windows/image_bytes.h"

namespace {

constexpr uint16_t MachineI386 = 0x014C;
constexpr uint16_t FileIsDll = 0x2000;           // IMAGE_FILE_DLL among the characteristics
constexpr uint16_t OptionalMagic64 = 0x020B;     // PE32+

}  // namespace

TImageKind ClassifyImage(std::string_view head) {
  if (head.empty()) return TImageKind::Empty;
  uint32_t peOffset = 0, machine = 0, characteristics = 0, magic = 0;
  // The reads come first: they check that the headers lie within head. The
  // signature is compared in place, not through substr, which could throw:
  // the virtual board has no exceptions.
  if (!head.starts_with("MZ") || !ReadLittleEndian(head, DosNewHeaderOffset, 4, peOffset) ||
      !ReadLittleEndian(head, uint64_t{peOffset} + 4, 2, machine) ||
      !ReadLittleEndian(head, uint64_t{peOffset} + 22, 2, characteristics) ||
      !ReadLittleEndian(head, uint64_t{peOffset} + 24, 2, magic) ||
      std::memcmp(head.data() + peOffset, "PE\0\0", 4) != 0)
    return TImageKind::NotAnImage;
  const bool dll = (characteristics & FileIsDll) != 0;
  if (magic == OptionalMagic64) return dll ? TImageKind::Dll64 : TImageKind::Program64;
  if (magic != OptionalMagic32) return TImageKind::NotAnImage;
  if (machine != MachineI386) return TImageKind::OtherProcessor;
  return dll ? TImageKind::Dll32 : TImageKind::Program32;
}

const char* DescribeImageKind(TImageKind kind) {
  switch (kind) {
    case TImageKind::Empty: return "is empty";
    case TImageKind::NotAnImage: return "is not a Windows library";
    case TImageKind::Dll32: return "";
    case TImageKind::Program32: return "is a program, not a DLL";
    case TImageKind::Dll64: return "is a 64-bit DLL";
    case TImageKind::Program64: return "is a 64-bit program, not a DLL";
    case TImageKind::OtherProcessor: return "is built for another processor than x86";
  }
  return "";
}
