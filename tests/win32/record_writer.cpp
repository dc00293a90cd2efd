// Test helper: a host streaming values into a shared call record. Loads the
// virtual board at argv[1] and, between OpenDevice 0 and CloseDevice, makes
// argv[2] output calls back to back, WriteAllDigital 0, 1, 2, ..., so that
// each of its record lines (VIRTUAL_K8055_TRACE) is one of its own. Exits
// with 0, or 1 when the board cannot be loaded or card address 0 does not
// answer.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) return 1;
  HMODULE board = LoadLibraryA(argv[1]);
  if (board == nullptr) return 1;
  const auto openDevice = reinterpret_cast<int(__stdcall*)(int)>(
      reinterpret_cast<void (*)()>(GetProcAddress(board, "OpenDevice")));
  const auto writeAllDigital = reinterpret_cast<void(__stdcall*)(int)>(
      reinterpret_cast<void (*)()>(GetProcAddress(board, "WriteAllDigital")));
  const auto closeDevice = reinterpret_cast<void(__stdcall*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(board, "CloseDevice")));
  if (openDevice(0) != 0) return 1;
  for (int call = 0, calls = std::atoi(argv[2]); call < calls; ++call) writeAllDigital(call);
  closeDevice();
  FreeLibrary(board);
  return 0;
}
