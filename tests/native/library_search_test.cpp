// The folders searched for a library, in order: program folder, the
// module's folder, the folder set with SetDllDirectory, system folder,
// 16-bit system folder, Windows folder, PATH; absolute folders only, each
// once, never the current directory as such. And a file's path in a folder,
// with backslashes.
#include "k8055d/library_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "k8055d/path_join.h"

namespace {

using Folders = std::vector<std::u16string>;

struct TPlaces {
  std::u16string ProgramFile = u"C:\\Host\\host.exe";
  std::u16string ModuleFile = u"C:\\Host\\host.exe";  // the program's own folder unless a test says
  std::u16string DllDirectory;
  std::u16string SystemFolder = u"C:\\Windows\\SysWOW64";
  std::u16string System16Folder = u"C:\\Windows\\System";
  std::u16string WindowsFolder = u"C:\\Windows";
  std::u16string Path;
};

TPathText Text(const std::u16string& text) { return {text.data(), text.size()}; }

bool Collect(TPathText folder, void* folders) {
  static_cast<Folders*>(folders)->emplace_back(folder.Text, folder.Length);
  return false;
}

Folders Searched(const TPlaces& p) {
  const TLibrarySearchPlaces places = {Text(p.ProgramFile),    Text(p.ModuleFile),    Text(p.DllDirectory),
                                       Text(p.SystemFolder),   Text(p.System16Folder), Text(p.WindowsFolder),
                                       Text(p.Path)};
  Folders folders;
  EXPECT_FALSE(ForEachSearchFolder(places, Collect, &folders));
  return folders;
}

// The loader's order (program, SetDllDirectory, system, 16-bit system,
// Windows, PATH) with the module's folder right after the program's.
TEST(LibrarySearch, ProgramModuleDllDirectorySystemSystem16WindowsThenPath) {
  TPlaces places;
  places.ModuleFile = u"C:\\Host\\Plug-ins\\out_tarnwell.dll";
  places.DllDirectory = u"D:\\Vendor";
  places.Path = u"C:\\Tools;\\\\server\\share\\bin;E:/Forward/Slashes";
  EXPECT_EQ(Searched(places),
            (Folders{u"C:\\Host\\", u"C:\\Host\\Plug-ins\\", u"D:\\Vendor", u"C:\\Windows\\SysWOW64",
                     u"C:\\Windows\\System", u"C:\\Windows", u"C:\\Tools", u"\\\\server\\share\\bin",
                     u"E:/Forward/Slashes"}));
  places.ModuleFile = places.ProgramFile;
  places.DllDirectory.clear();
  places.Path.clear();
  EXPECT_EQ(Searched(places),
            (Folders{u"C:\\Host\\", u"C:\\Windows\\SysWOW64", u"C:\\Windows\\System", u"C:\\Windows"}));
}

// Entries relative to the current directory or drive would search below it.
TEST(LibrarySearch, RelativeAndEmptyEntriesAreSkipped) {
  TPlaces places;
  places.DllDirectory = u"vendor";
  places.Path = u".;;bin;..\\lib;C:relative;\\rooted;%SystemRoot%\\x;\\\\;\"C:\\Quoted Folder\";C:\\Last;";
  EXPECT_EQ(Searched(places), (Folders{u"C:\\Host\\", u"C:\\Windows\\SysWOW64", u"C:\\Windows\\System", u"C:\\Windows",
                                       u"C:\\Quoted Folder", u"C:\\Last"}));
}

TEST(LibrarySearch, AFolderMetAgainIsSearchedOnceAtItsFirstPlace) {
  TPlaces places;
  places.ModuleFile = u"C:\\TOOLS\\out_tarnwell.dll";
  places.DllDirectory = u"c:\\host";
  places.Path = u"C:\\WINDOWS\\;c:/windows/syswow64;C:\\Tools;C:\\Tools\\\\;C:\\Host;C:\\Windows\\system";
  EXPECT_EQ(Searched(places), (Folders{u"C:\\Host\\", u"C:\\TOOLS\\", u"C:\\Windows\\SysWOW64", u"C:\\Windows\\System",
                                       u"C:\\Windows"}));
}

TEST(LibrarySearch, ProgramAtTheRootOfADriveAndNonAsciiNames) {
  TPlaces places;
  places.ProgramFile = u"C:\\host.exe";
  places.Path = u"C:\\Gerät\\Ωμέγα;C:\\GERÄT\\Ωμέγα";
  EXPECT_EQ(Searched(places), (Folders{u"C:\\", u"C:\\Host\\", u"C:\\Windows\\SysWOW64", u"C:\\Windows\\System",
                                       u"C:\\Windows", u"C:\\Gerät\\Ωμέγα", u"C:\\GERÄT\\Ωμέγα"}))
      << "names differing beyond ASCII case count as different (searched twice at worst)";
}

TEST(LibrarySearch, AVisitEndsTheSearch) {
  TPlaces p;
  p.Path = u"C:\\Tools";
  const TLibrarySearchPlaces places = {Text(p.ProgramFile),    Text(p.ModuleFile),    Text(p.DllDirectory),
                                       Text(p.SystemFolder),   Text(p.System16Folder), Text(p.WindowsFolder),
                                       Text(p.Path)};
  Folders folders;
  EXPECT_TRUE(ForEachSearchFolder(
      places,
      [](TPathText folder, void* visited) {
        Collect(folder, visited);
        return static_cast<Folders*>(visited)->size() == 2;
      },
      &folders));
  EXPECT_EQ(folders, (Folders{u"C:\\Host\\", u"C:\\Windows\\SysWOW64"}));
}

std::u16string Joined(const std::u16string& folder, const std::u16string& name) {
  std::u16string path(JoinedPathSize(Text(folder), Text(name)), u'#');
  JoinPath(Text(folder), Text(name), path.data());
  EXPECT_EQ(path.back(), u'\0') << "exactly the size it gives";
  path.pop_back();
  return path;
}

// LoadLibraryEx wants backslashes: a PATH entry written with forward
// slashes is joined with backslashes throughout.
TEST(PathJoin, OneBackslashBetweenAndBackslashesThroughout) {
  EXPECT_EQ(Joined(u"C:\\Tools", u"k8055d.dll"), u"C:\\Tools\\k8055d.dll");
  EXPECT_EQ(Joined(u"C:\\", u"k8055d.dll"), u"C:\\k8055d.dll");
  EXPECT_EQ(Joined(u"C:/Tools/", u"k8055d.dll"), u"C:\\Tools\\k8055d.dll");
  EXPECT_EQ(Joined(u"//server/share/bin", u"k8055d.dll"), u"\\\\server\\share\\bin\\k8055d.dll");
  EXPECT_EQ(Joined(u"C:\\Windows", u"System"), u"C:\\Windows\\System");
}

}  // namespace
