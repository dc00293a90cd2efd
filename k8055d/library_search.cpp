#include "k8055d/library_search.h"

namespace {

bool IsSeparator(TPathChar c) { return c == u'\\' || c == u'/'; }

bool IsDriveLetter(TPathChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// "C:\..." or "\\server\...".
bool IsAbsolute(TPathText folder) {
  if (folder.Length >= 3 && IsDriveLetter(folder.Text[0]) && folder.Text[1] == u':' && IsSeparator(folder.Text[2]))
    return true;
  return folder.Length >= 3 && IsSeparator(folder.Text[0]) && IsSeparator(folder.Text[1]);
}

TPathChar Folded(TPathChar c) {
  if (c >= u'a' && c <= u'z') return static_cast<TPathChar>(c - u'a' + u'A');
  return c == u'/' ? u'\\' : c;
}

size_t WithoutTrailingSeparators(TPathText folder) {
  size_t length = folder.Length;
  while (length > 0 && IsSeparator(folder.Text[length - 1])) --length;
  return length;
}

bool SameFolder(TPathText a, TPathText b) {
  const size_t length = WithoutTrailingSeparators(a);
  if (length != WithoutTrailingSeparators(b)) return false;
  for (size_t i = 0; i < length; ++i)
    if (Folded(a.Text[i]) != Folded(b.Text[i])) return false;
  return true;
}

// The folder of a file (the program's, the module's), with its trailing
// backslash ("C:\" for a file at the root of a drive).
TPathText FolderOf(TPathText file) {
  size_t length = file.Length;
  while (length > 0 && !IsSeparator(file.Text[length - 1])) --length;
  return {file.Text, length};
}

// The PATH entry that starts at offset, without surrounding double quotes;
// next is set to where the following entry starts.
TPathText PathEntry(TPathText path, size_t offset, size_t& next) {
  size_t end = offset;
  while (end < path.Length && path.Text[end] != u';') ++end;
  next = end + 1;
  TPathText entry = {path.Text + offset, end - offset};
  if (entry.Length >= 2 && entry.Text[0] == u'"' && entry.Text[entry.Length - 1] == u'"')
    entry = {entry.Text + 1, entry.Length - 2};
  return entry;
}

constexpr int FixedPlaces = 6;

// The candidate folders in order: the six fixed places, then each PATH
// entry. Gives false after the last one.
class TCandidates {
 public:
  explicit TCandidates(const TLibrarySearchPlaces& places) : Places_(places) {}

  bool Next(TPathText& folder) {
    if (Index_ < FixedPlaces) {
      folder = Fixed(Index_++);
      return true;
    }
    if (PathOffset_ > Places_.Path.Length || Places_.Path.Length == 0) return false;
    folder = PathEntry(Places_.Path, PathOffset_, PathOffset_);
    return true;
  }

 private:
  TPathText Fixed(int index) const {
    switch (index) {
      case 0: return FolderOf(Places_.ProgramFile);
      case 1: return FolderOf(Places_.ModuleFile);
      case 2: return Places_.DllDirectory;
      case 3: return Places_.SystemFolder;
      case 4: return Places_.System16Folder;
      default: return Places_.WindowsFolder;
    }
  }

  const TLibrarySearchPlaces& Places_;
  int Index_ = 0;
  size_t PathOffset_ = 0;
};

// Whether folder is absolute and not among the candidates before position.
bool IsNewAbsoluteFolder(const TLibrarySearchPlaces& places, TPathText folder, int position) {
  if (!IsAbsolute(folder)) return false;
  TCandidates earlier(places);
  TPathText other;
  for (int i = 0; i < position && earlier.Next(other); ++i)
    if (IsAbsolute(other) && SameFolder(other, folder)) return false;
  return true;
}

}  // namespace

bool ForEachSearchFolder(const TLibrarySearchPlaces& places, TFolderVisit visit, void* context) {
  TCandidates candidates(places);
  TPathText folder;
  for (int position = 0; candidates.Next(folder); ++position)
    if (IsNewAbsoluteFolder(places, folder, position) && visit(folder, context)) return true;
  return false;
}
