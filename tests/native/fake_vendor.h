// A fake vendor library for native tests, reached through the fake library
// loader. Every call is recorded as "Name arg ...", the same form as the
// virtual board's trace.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace fake_vendor {

struct TState {
  bool Present = true;           // the loader finds the library
  std::string Missing;           // an entry point the library lacks
  std::set<int> Answering = {0}; // card addresses whose OpenDevice succeeds
  int Loads = 0;
  int Frees = 0;
  std::vector<std::string> Calls;
  void (*DuringOpenDevice)() = nullptr;  // runs inside every OpenDevice call
};

extern TState State;

// Fresh fake and fresh module state (driver binding, card slots), as in a
// newly started process.
void Reset();

// Reset, then bind the fake library as the first create of a process does.
void ResetAndLoad();

}  // namespace fake_vendor
