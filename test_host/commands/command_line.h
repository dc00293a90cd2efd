// The test host's command line: global options, one command, its options,
// parsed by the rows of the command table (command_table.h). Texts are
// UTF-8, paths included; the Windows side converts them where it calls the
// system.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "test_host/commands/command_row.h"

// args without the program name; none gives the help, and so do --help or
// -h where an option can stand and help as the command word. The chosen
// row's options hold their values, or their defaults, afterwards. On
// failure sets error to one line that says what is wrong.
bool ParseCommandLine(const std::vector<std::string>& args, TCommand& command, std::string& error);

// The options every command takes: --module and --vendor-dir, whose values
// go to the parsed command's Paths.
std::span<const TOption> GlobalOptions();

// What --version prints: the program's name and the release's version.
extern const char VersionText[];
