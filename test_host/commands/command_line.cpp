#include "test_host/commands/command_line.h"

#include "test_host/commands/command_table.h"
#include "test_host/text/number_text.h"
#include "version/tarnwell_version.h"

const char VersionText[] = "tarnwell_host " TARNWELL_VERSION_TEXT "\n";

namespace {

bool IsOption(const std::string& arg) { return arg.rfind("--", 0) == 0; }

// The option of that name, global or of any command; nullptr if none.
const TOption* FindOption(const std::string& name) {
  for (const TOption* option : GlobalOptions())
    if (name == option->Name) return option;
  for (const TCommandRow& row : CommandRows())
    for (const TOption* option : row.Options)
      if (option != nullptr && name == option->Name) return option;
  return nullptr;
}

bool Takes(const TCommandRow& row, const TOption* option) {
  for (const TOption* global : GlobalOptions())
    if (global == option) return true;
  for (const TOption* own : row.Options)
    if (own == option) return true;
  return false;
}

// --help or -h where an option can stand (not as an option's value), or
// help as the command word. An argument of the command named help (play
// help) is a file name.
bool AsksForHelp(const std::vector<std::string>& args) {
  bool commandSeen = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return true;
    if (IsOption(arg)) {
      const TOption* option = FindOption(arg);
      if (option != nullptr && option->Kind != TOptionKind::Flag) ++i;  // its value
    } else if (!commandSeen) {
      if (arg == "help") return true;
      commandSeen = true;
    }
  }
  return false;
}

// Stores the value of option in command.
bool TakeValue(const TOption& option, const std::string& value, TCommand& command, std::string& error) {
  if (option.Given != nullptr) command.*option.Given = true;
  if (option.Kind == TOptionKind::Text) {
    command.*option.Text = value;
    return true;
  }
  return ParseQuantity(value, *option.Range, command.*option.Number, error);
}

const TCommandRow* FindCommand(const std::string& name) {
  for (const TCommandRow& row : CommandRows())
    if (name == row.Name) return &row;
  return nullptr;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, TCommand& command, std::string& error) {
  command = TCommand{};
  if (args.empty() || AsksForHelp(args)) return true;
  // --version works whatever else is given; it shows the module and the
  // k8055d.dll that --module and --vendor-dir name.
  for (const std::string& arg : args)
    if (arg == "--version") {
      command.Row = &VersionCommand;
      for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--module") command.ModulePath = args[i + 1];
        if (args[i] == "--vendor-dir") command.VendorDir = args[i + 1];
      }
      return true;
    }

  const TCommandRow* row = nullptr;
  std::vector<const TOption*> given;  // to be checked against the command once it is known
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (IsOption(arg)) {
      const TOption* option = FindOption(arg);
      if (option == nullptr) {
        error = "unknown option " + arg + " (try --help)";
        return false;
      }
      for (const TOption* seen : given)
        if (seen == option) {
          error = "option " + arg + " given twice";
          return false;
        }
      given.push_back(option);
      if (option->Kind == TOptionKind::Flag) {
        command.*option->Given = true;
        continue;
      }
      if (i + 1 == args.size()) {
        error = "option " + arg + " needs a value";
        return false;
      }
      if (!TakeValue(*option, args[++i], command, error)) return false;
    } else if (row == nullptr) {
      row = FindCommand(arg);
      if (row == nullptr) {
        error = "unknown command " + QuotedField(arg) + " (try --help)";
        return false;
      }
    } else if (row->Argument != nullptr && (command.*row->ArgumentText).empty()) {
      command.*row->ArgumentText = arg;
    } else {
      error = "unexpected argument " + QuotedField(arg) + " (try --help)";
      return false;
    }
  }
  if (row == nullptr) {
    error = "no command given (try --help)";
    return false;
  }
  command.Row = row;
  for (const TOption* option : given)
    if (!Takes(*row, option)) {
      error = std::string(row->Name) + " does not take " + option->Name + " (try --help)";
      return false;
    }
  if (row->Argument != nullptr && (command.*row->ArgumentText).empty()) {
    error = std::string(row->Name) + " needs a " + row->Argument;
    return false;
  }
  return row->Check == nullptr || row->Check(command, error);
}
