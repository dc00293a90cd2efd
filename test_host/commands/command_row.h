// A command of the test host as its own file declares it, as git's builtins
// do: its name, its argument, its options (each with its kind, its range
// and where its value goes, in storage the command's file owns), the check
// of what it needs, the function that runs it and its lines in the help.
// The command table lists the rows (command_table.h); the parser and the
// help read them. Portable: the rows, their options and checks are tested
// natively, where a row has no run function (COMMAND_RUN).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "test_host/session/load_paths.h"
#include "test_host/text/number_text.h"

enum class TOptionKind {
  Flag,    // no value
  Number,  // a whole number within Range
  Text,    // any text, also one that starts with --
};

struct TOption {
  const char* Name;      // e.g. "--card"
  TOptionKind Kind;
  const TQuantity* Range;  // Number: the range of its value
  int32_t Default;         // Number: its value when not given
  bool* Given;             // set when the option is given; null where the value tells
  int32_t* Number;         // Number: where the value goes
  std::string* Text;       // Text: where the value goes
  const char* Help;        // its lines in the help's Options section
};

struct TCommandRow;
struct TCommand;

// What runs without a command of the table: the help, and --version
// (help_command.cpp, version_command.cpp).
extern const TCommandRow HelpCommand;
extern const TCommandRow VersionCommand;

// A command line once parsed: its row, whose options hold their values,
// and what every command takes.
struct TCommand {
  const TCommandRow* Row = &HelpCommand;
  TLoadPaths Paths;            // --module, --vendor-dir
  bool DoubleClicked = false;  // started by a double-click: no console
};

struct TCommandRow {
  const char* Name;
  const char* Argument;       // its one argument, required, e.g. "FILE"; null: none
  std::string* ArgumentText;  // where the argument goes
  std::span<const TOption> Options;  // besides the global ones
  // What the command needs beyond its argument; null: nothing more. On
  // failure sets error.
  bool (*Check)(std::string& error);
  int (*Run)(const TCommand& command);  // returns the exit status; null in the native build
  const char* Usage;                    // its lines in the help's Commands section
};

// A row's run function, compiled for Windows alone: a command's file keeps
// its Windows part within #if defined(_WIN32).
#if defined(_WIN32)
#define COMMAND_RUN(run) run
#else
#define COMMAND_RUN(run) nullptr
#endif
