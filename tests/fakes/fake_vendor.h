// A fake vendor library for native tests, reached through the fake library
// loader. Every call is recorded as "Name arg ...", the same form as the
// virtual board's trace. It answers as the vendor's library does:
// OpenDevice opens every board plugged in, CloseDevice closes them all,
// SetCurrentDevice answers -1 for a board not open or dropped.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "k8055d/library_loader.h"

namespace fake_vendor {

struct TState {
  bool Present = true;           // the library lies in LibraryFolder
  std::u16string LibraryFolder = u"C:\\Host\\";
  bool Loadable = true;          // the library found there loads
  bool AlreadyLoaded = false;    // the host has it loaded already
  bool PlacesKnown = true;       // the search places can be had
  // What the search is made from.
  std::u16string ProgramFile = u"C:\\Host\\host.exe";
  std::u16string ModuleFile = u"C:\\Host\\Plugins\\out_tarnwell.dll";
  std::u16string DllDirectory;
  std::u16string SystemFolder = u"C:\\Windows\\SysWOW64";
  std::u16string System16Folder = u"C:\\Windows\\System";
  std::u16string WindowsFolder = u"C:\\Windows";
  std::u16string Path = u"C:\\Tools;tools";
  std::vector<std::u16string> Searched;  // folders looked into, in order
  int PlacesHeld = 0;                    // search places got, not yet released
  bool Quiet = false;  // inside SearchQuietly, where the system shows no error box
  int LoudProbes = 0;  // places had, folders looked into or loaded host's copies taken outside it
  std::string Missing;           // an entry point the library lacks
  std::set<int> Answering = {0}; // card addresses of the boards plugged in
  std::set<int> Open;            // the boards the library holds open
  std::set<int> Dropped;         // boards the library dropped (unplugged while open): their select answers -1
  int Loads = 0;  // references taken, by a load or on a loaded library
  int Frees = 0;
  std::vector<std::string> Calls;
  void (*DuringOpenDevice)() = nullptr;  // runs inside every OpenDevice call
  // Entry points the library offers instead of its recording ones, by name.
  std::map<std::string, TLibraryProc> Replaced;
};

extern TState State;

// Fresh fake and fresh module state (driver binding, card slots, through
// their accessors), as in a newly started process.
void Reset();

// Reset, then bind the fake library as the first create of a process does.
void ResetAndLoad();

}  // namespace fake_vendor
