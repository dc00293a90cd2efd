#include "windows/image_imports.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "windows/image_bytes.h"

namespace {

constexpr uint32_t ImportDirectory = 1, DelayImportDirectory = 13;
constexpr uint32_t ImportDescriptorSize = 20, DelayDescriptorSize = 32, SectionHeaderSize = 40;
constexpr uint32_t DelayAddressesAreRvas = 1;  // a delay descriptor's attribute; without it, old linkers' addresses
constexpr uint32_t MaxDescriptors = 4096;      // far more DLLs than any library names
constexpr size_t MaxNameLength = 256;

struct TImage {
  std::string_view Bytes;
  uint32_t ImageBase = 0;
  uint32_t HeadersSize = 0;                        // the headers' bytes, at the same offsets in file and memory
  uint64_t Sections = 0;                           // the section table's offset
  uint32_t SectionCount = 0;
  uint64_t Directories = 0;                        // the data directories' offset
  uint32_t DirectoryCount = 0;

  bool Read(uint64_t offset, int bytes, uint32_t& value) const { return ReadLittleEndian(Bytes, offset, bytes, value); }

  // The file offset of the image's address rva, or false where no byte of
  // the file lies there.
  bool FileOffset(uint32_t rva, uint64_t& offset) const {
    if (rva < HeadersSize) return (offset = rva), true;
    for (uint32_t section = 0; section < SectionCount; ++section) {
      const uint64_t header = Sections + uint64_t{section} * SectionHeaderSize;
      uint32_t address = 0, rawSize = 0, rawOffset = 0;
      if (!Read(header + 12, 4, address) || !Read(header + 16, 4, rawSize) || !Read(header + 20, 4, rawOffset))
        return false;
      if (rva >= address && rva - address < rawSize) return (offset = uint64_t{rawOffset} + (rva - address)), true;
    }
    return false;
  }

  // The directory's address and size, 0 when the image has none.
  bool Directory(uint32_t index, uint32_t& rva, uint32_t& size) const {
    rva = size = 0;
    const uint64_t entry = Directories + 8 * index;
    return index >= DirectoryCount || (Read(entry, 4, rva) && Read(entry + 4, 4, size));
  }

  // The NUL-terminated name at rva, which must end within the file.
  bool Name(uint32_t rva, std::string_view& name) const {
    uint64_t offset = 0;
    if (!FileOffset(rva, offset) || offset >= Bytes.size()) return false;
    const size_t room = std::min<uint64_t>(Bytes.size() - offset, MaxNameLength);
    const void* end = std::memchr(Bytes.data() + offset, '\0', room);
    if (end == nullptr) return false;
    name = std::string_view(Bytes.data() + offset, static_cast<const char*>(end) - (Bytes.data() + offset));
    return true;
  }

  // The 32-bit field at byte field of the descriptor number index of the
  // table at rva.
  bool Field(uint32_t rva, uint32_t size, uint32_t index, uint32_t field, uint32_t& value) const {
    uint64_t offset = 0;
    return FileOffset(rva + index * size + field, offset) && Read(offset, 4, value);
  }
};

bool ReadHeaders(std::string_view bytes, TImage& image) {
  image.Bytes = bytes;
  uint32_t pe = 0, sections = 0, optionalSize = 0, magic = 0;
  if (!image.Read(DosNewHeaderOffset, 4, pe) || !image.Read(uint64_t{pe} + 6, 2, sections) ||
      !image.Read(uint64_t{pe} + 20, 2, optionalSize) || !image.Read(uint64_t{pe} + 24, 2, magic) ||
      std::memcmp(bytes.data() + pe, "PE\0\0", 4) != 0 || magic != OptionalMagic32)
    return false;
  const uint64_t optional = uint64_t{pe} + 24;
  image.SectionCount = sections;
  image.Sections = optional + optionalSize;
  image.Directories = optional + 96;
  return image.Read(optional + 28, 4, image.ImageBase) && image.Read(optional + 60, 4, image.HeadersSize) &&
         image.Read(optional + 92, 4, image.DirectoryCount);
}

}  // namespace

bool ForEachImportedLibrary(std::string_view bytes, void (*each)(std::string_view name, void* context),
                            void* context) {
  TImage image;
  uint32_t imports = 0, importsSize = 0, delayed = 0, delayedSize = 0;  // the loader ignores importsSize
  if (!ReadHeaders(bytes, image) || !image.Directory(ImportDirectory, imports, importsSize) ||
      !image.Directory(DelayImportDirectory, delayed, delayedSize))
    return false;
  std::string_view name;
  // Import descriptors: the name at 12, the address table at 16; the table
  // ends where either is 0, as the loader reads it.
  for (uint32_t index = 0; imports != 0 && index < MaxDescriptors; ++index) {
    uint32_t nameRva = 0, addresses = 0;
    if (!image.Field(imports, ImportDescriptorSize, index, 12, nameRva) ||
        !image.Field(imports, ImportDescriptorSize, index, 16, addresses))
      return false;
    if (nameRva == 0 || addresses == 0) break;
    if (!image.Name(nameRva, name)) return false;
    each(name, context);
  }
  // Delay-load descriptors: the attributes at 0, the name at 4; the table
  // ends with a name of 0 or with the directory's size (a table that GNU
  // tools made has no empty descriptor after its last).
  const uint32_t delayedCount = std::min(MaxDescriptors, delayedSize / DelayDescriptorSize);
  for (uint32_t index = 0; delayed != 0 && index < delayedCount; ++index) {
    uint32_t attributes = 0, nameAddress = 0;
    if (!image.Field(delayed, DelayDescriptorSize, index, 0, attributes) ||
        !image.Field(delayed, DelayDescriptorSize, index, 4, nameAddress))
      return false;
    if (nameAddress == 0) break;
    const uint32_t nameRva = attributes & DelayAddressesAreRvas ? nameAddress : nameAddress - image.ImageBase;
    if (!image.Name(nameRva, name)) return false;
    each(name, context);
  }
  return true;
}

bool NamesLibraryFile(std::string_view name, std::string_view fileName) {
  const auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  };
  if (name.find('.') != std::string_view::npos) return same(name, fileName);
  constexpr std::string_view Extension = ".dll";
  return fileName.size() > Extension.size() && same(fileName.substr(fileName.size() - Extension.size()), Extension) &&
         same(name, fileName.substr(0, fileName.size() - Extension.size()));
}
