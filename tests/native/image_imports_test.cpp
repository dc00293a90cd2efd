// The DLLs a library names in its import and delay-load tables, read from
// its file's bytes, for the virtual board's refusal of a forward library
// that would load k8055d.dll; damaged tables stay within the bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "windows/image_imports.h"

namespace {

constexpr uint32_t ImageBase = 0x10000000;
constexpr uint32_t SectionRva = 0x1000, SectionOffset = 0x200, SectionSize = 0x200;

// A PE32 DLL with one section (0x200 bytes at file offset 0x200, at 0x1000
// in memory) holding whatever a test puts there.
class TTestImage {
 public:
  TTestImage() : Bytes(SectionOffset + SectionSize, '\0') {
    Bytes[0] = 'M', Bytes[1] = 'Z';
    Put(0x3C, 0x40);
    Bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    Put(0x44, 0x014C, 2);              // i386
    Put(0x46, 1, 2);                   // one section
    Put(0x54, 0xE0, 2);                // the optional header's size
    Put(0x56, 0x2102, 2);              // a DLL
    Put(0x58, 0x010B, 2);              // PE32
    Put(0x58 + 28, ImageBase);
    Put(0x58 + 60, SectionOffset);     // the headers' size
    Put(0x58 + 92, 16);                // data directories
    const uint32_t section = 0x58 + 0xE0;
    Put(section + 8, SectionSize);
    Put(section + 12, SectionRva);
    Put(section + 16, SectionSize);
    Put(section + 20, SectionOffset);
  }
  void Put(uint32_t offset, uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) Bytes[offset + i] = static_cast<char>(value >> (8 * i));
  }
  // Puts text at the section's rva, NUL-terminated.
  void Text(uint32_t rva, const std::string& text) {
    Bytes.replace(SectionOffset + rva - SectionRva, text.size() + 1, text + '\0');
  }
  void Directory(int index, uint32_t rva, uint32_t size = 0x40) {
    Put(0x58 + 96 + 8 * index, rva);
    Put(0x58 + 96 + 8 * index + 4, size);
  }
  void Import(uint32_t table, int index, uint32_t nameRva) {
    Put(SectionOffset + table - SectionRva + 20 * index + 12, nameRva);
    Put(SectionOffset + table - SectionRva + 20 * index + 16, 0x1180);  // an address table
  }
  void Delay(uint32_t table, int index, uint32_t attributes, uint32_t name) {
    Put(SectionOffset + table - SectionRva + 32 * index, attributes);
    Put(SectionOffset + table - SectionRva + 32 * index + 4, name);
  }

  std::string Bytes;
};

// The names, and whether the tables read whole.
std::pair<std::vector<std::string>, bool> Names(const std::string& bytes) {
  std::vector<std::string> names;
  const auto add = [](std::string_view name, void* context) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(name);
  };
  const bool whole = ForEachImportedLibrary(bytes, add, &names);
  return {names, whole};
}

using TNames = std::vector<std::string>;

TEST(ImageImports, ImportsThenDelayLoadsInTheTablesOrder) {
  TTestImage image;
  image.Text(0x1100, "KERNEL32.dll");
  image.Text(0x1110, "k8055d.dll");
  image.Text(0x1120, "part.dll");
  image.Directory(1, 0x1000);
  image.Import(0x1000, 0, 0x1100);
  image.Import(0x1000, 1, 0x1110);
  image.Directory(13, 0x1040);
  image.Delay(0x1040, 0, 1, 0x1120);                 // its name's address an RVA
  image.Delay(0x1040, 1, 0, ImageBase + 0x1110);     // an old linker's: an address in memory
  EXPECT_EQ(Names(image.Bytes), std::make_pair(TNames{"KERNEL32.dll", "k8055d.dll", "part.dll", "k8055d.dll"}, true));

  // A descriptor without an address table ends the imports, as for the loader.
  image.Put(SectionOffset + 20 + 16, 0);
  EXPECT_EQ(Names(image.Bytes), std::make_pair(TNames{"KERNEL32.dll", "part.dll", "k8055d.dll"}, true));
  // No tables, no names.
  EXPECT_EQ(Names(TTestImage().Bytes), std::make_pair(TNames{}, true));
  // A delay-load table ends at the directory's size too: GNU tools leave
  // no empty descriptor after the last, but code.
  image.Put(SectionOffset + 20 + 16, 0x1180);
  image.Delay(0x1040, 2, 1, 0x9000);
  image.Directory(13, 0x1040, 2 * 32);
  EXPECT_EQ(Names(image.Bytes), std::make_pair(TNames{"KERNEL32.dll", "k8055d.dll", "part.dll", "k8055d.dll"}, true));
}

TEST(ImageImports, DamagedTablesStayWithinTheBytes) {
  TTestImage image;
  image.Text(0x1100, "KERNEL32.dll");
  image.Directory(1, 0x1000);
  image.Import(0x1000, 0, 0x1100);
  image.Import(0x1000, 1, 0x1100);
  const std::string whole = image.Bytes;

  // Cut in the middle of the name, or of the descriptors.
  EXPECT_EQ(Names(whole.substr(0, SectionOffset + 0x106)), std::make_pair(TNames{}, false));
  EXPECT_EQ(Names(whole.substr(0, SectionOffset + 30)), std::make_pair(TNames{}, false));
  EXPECT_EQ(Names(whole.substr(0, 0x100)), std::make_pair(TNames{}, false));  // within the headers
  // A name that runs to the end of the file, or lies outside any section.
  TTestImage endless = image;
  endless.Import(0x1000, 1, 0x13FF);
  endless.Bytes.back() = 'x';
  EXPECT_EQ(Names(endless.Bytes), std::make_pair(TNames{"KERNEL32.dll"}, false));
  endless.Import(0x1000, 1, 0x9000);
  EXPECT_EQ(Names(endless.Bytes), std::make_pair(TNames{"KERNEL32.dll"}, false));
  // A table outside the file; a delay descriptor's old address below the image.
  TTestImage outside = image;
  outside.Directory(1, 0x8000);
  EXPECT_EQ(Names(outside.Bytes), std::make_pair(TNames{}, false));
  outside.Directory(1, 0);
  outside.Directory(13, 0x1040);
  outside.Delay(0x1040, 0, 0, 0x1100);
  EXPECT_EQ(Names(outside.Bytes), std::make_pair(TNames{}, false));
  // Not a PE32 file.
  EXPECT_EQ(Names("MZ"), std::make_pair(TNames{}, false));
  EXPECT_EQ(Names(""), std::make_pair(TNames{}, false));
}

}  // namespace

namespace {

// The loader's reading of an imported name: letter case aside, ".dll"
// added where there is no extension; a trailing dot or another extension
// names another file.
TEST(ImportedNames, NameTheFileAsTheLoaderReadsThem) {
  for (const char* name : {"k8055d.dll", "K8055D.DLL", "K8055D", "k8055D"})
    EXPECT_TRUE(NamesLibraryFile(name, "k8055d.dll")) << name;
  for (const char* name : {"k8055d.", "k8055d.exe", "k8055d.dll.dll", "k8055", "k8055dx", ".dll", ""})
    EXPECT_FALSE(NamesLibraryFile(name, "k8055d.dll")) << name;
}

}  // namespace
