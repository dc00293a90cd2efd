// The test host's command line: global options, one command, its options,
// parsed by the rows of the command table (command_table.h). Texts are
// UTF-8, paths included; the Windows side converts them where it calls the
// system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TCommandRow;
// What runs without a command of the table: the help, and --version.
extern const TCommandRow HelpCommand;
extern const TCommandRow VersionCommand;

struct TCommand {
  const TCommandRow* Row = &HelpCommand;  // the command to run
  std::string ModulePath;   // empty: out_tarnwell.dll beside the program
  std::string VendorDir;    // empty: the loader's search order only
  bool HasCard = false;     // --card given
  int32_t Card = 1;         // set, play, identify, off: card number 1 ... 4
  int32_t Channel = 0;      // set: 1 ... 10
  bool HasValue = false;    // set: --value given
  int32_t Value = 0;        // set: the sample value
  std::string SamplesFile;  // set: --samples given instead
  std::string PlayFile;     // play
  bool OffAtEnd = false;    // play: all outputs off after the last row
  bool HasSettings = false; // panel, try: --settings given
  std::string Settings;
  int32_t Rate = 0;         // try: rounds of all channels a second, 0 for none
  std::string RecordFile;   // timeline: the virtual board's call record
  std::string OutFile;      // timeline: --out given; empty: the record's name with .html
  bool DoubleClicked = false;  // try, started by a double-click: no console
};

// args without the program name; none gives the help, and so do --help or
// -h where an option can stand and help as the command word. On failure
// sets error to one line that says what is wrong.
bool ParseCommandLine(const std::vector<std::string>& args, TCommand& command, std::string& error);

// What --version prints: the program's name and the release's version.
extern const char VersionText[];
