// The test host's commands, one row each: the name, the options it takes,
// its argument, the check of what it needs, the function that runs it and
// its lines in the help. The parser, the help and the dispatch read the
// rows; a new command is a new row.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "test_host/commands/command_line.h"
#include "test_host/text/number_text.h"

enum class TOptionKind {
  Flag,    // no value
  Number,  // a whole number within Range
  Text,    // any text, also one that starts with --
};

struct TOption {
  const char* Name;  // e.g. "--card"
  TOptionKind Kind;
  const TQuantity* Range;        // Number: the range of its value
  bool TCommand::*Given;         // set when the option is given; nullptr where the value tells
  int32_t TCommand::*Number;     // Number: where the value goes
  std::string TCommand::*Text;   // Text: where the value goes
  const char* Help;              // its lines in the help's Options section
};

inline constexpr size_t MaxCommandOptions = 4;

struct TCommandRow {
  const char* Name;
  const char* Argument;                   // its one argument, required, e.g. "FILE"; nullptr: none
  std::string TCommand::*ArgumentText;    // where the argument goes
  const TOption* Options[MaxCommandOptions];  // besides the global ones; the rest nullptr
  // What the command needs beyond its argument; nullptr: nothing more.
  bool (*Check)(const TCommand& command, std::string& error);
  int (*Run)(const TCommand& command);    // returns the exit status
  const char* Usage;                      // its lines in the help's Commands section
};

// The commands in the order the help lists them.
std::span<const TCommandRow> CommandRows();

// The options every command takes: --module and --vendor-dir.
std::span<const TOption* const> GlobalOptions();
