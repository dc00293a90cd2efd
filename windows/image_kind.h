// What kind of file a would-be library is, told from its first bytes, so
// that the test host and the virtual board's forwarding can say why a file
// is not a 32-bit Windows DLL instead of passing on the loader's error code
// (and before any of its code is mapped).
#pragma once

#include <string_view>

enum class TImageKind { Empty, NotAnImage, Dll32, Program32, Dll64, Program64, OtherProcessor };

// head: the file's first bytes; 4 KiB hold the headers of any ordinary file.
TImageKind ClassifyImage(std::string_view head);

// What the file is, to follow its name: "is a 64-bit DLL"; empty for Dll32.
const char* DescribeImageKind(TImageKind kind);
