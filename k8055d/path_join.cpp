#include "k8055d/path_join.h"

namespace {

bool EndsInSeparator(TPathText folder) {
  return folder.Length > 0 && (folder.Text[folder.Length - 1] == u'\\' || folder.Text[folder.Length - 1] == u'/');
}

bool NeedsSeparator(TPathText folder) { return folder.Length > 0 && !EndsInSeparator(folder); }

}  // namespace

size_t JoinedPathSize(TPathText folder, TPathText name) {
  return folder.Length + (NeedsSeparator(folder) ? 1 : 0) + name.Length + 1;
}

void JoinPath(TPathText folder, TPathText name, TPathChar* path) {
  for (size_t i = 0; i < folder.Length; ++i) *path++ = folder.Text[i] == u'/' ? u'\\' : folder.Text[i];
  if (NeedsSeparator(folder)) *path++ = u'\\';
  for (size_t i = 0; i < name.Length; ++i) *path++ = name.Text[i];
  *path = u'\0';
}
