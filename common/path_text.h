// A path as Windows' wide-character functions give and take it: UTF-16,
// so that folder names outside the ANSI code page work; not NUL-terminated
// where Length says where it ends. Portable, so that the search for the
// vendor library can be tested with paths passed in.
#pragma once

#include <cstddef>

using TPathChar = char16_t;

struct TPathText {
  const TPathChar* Text;
  size_t Length;
};
