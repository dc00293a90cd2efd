#include "test_host/commands/command_line.h"

#include "test_host/commands/command_table.h"
#include "version/tarnwell_version.h"

const char VersionText[] = "tarnwell_host " TARNWELL_VERSION_TEXT "\n";

namespace {

TLoadPaths GivenPaths;  // the global options' values while a line is parsed

const TOption Globals[] = {
    {"--module", TOptionKind::Text, nullptr, 0, nullptr, nullptr, &GivenPaths.ModulePath,
     "  --module FILE     the module (default: out_tarnwell.dll beside this program)\n"},
    {"--vendor-dir", TOptionKind::Text, nullptr, 0, nullptr, nullptr, &GivenPaths.VendorDir,
     "  --vendor-dir DIR  also look for k8055d.dll in DIR, e.g. virtual-board\n"},
};

bool IsOption(const std::string& arg) { return arg.rfind("--", 0) == 0; }

// The option of that name that row takes, a global one or its own; null
// if none.
const TOption* OptionOf(const TCommandRow& row, const std::string& name) {
  for (const std::span<const TOption> options : {std::span<const TOption>(Globals), row.Options})
    for (const TOption& option : options)
      if (name == option.Name) return &option;
  return nullptr;
}

// The option of that name, global or of any command; null if none.
const TOption* AnyOption(const std::string& name) {
  for (const TCommandRow* row : CommandRows())
    if (const TOption* option = OptionOf(*row, name)) return option;
  return nullptr;
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
      const TOption* option = AnyOption(arg);
      if (option != nullptr && option->Kind != TOptionKind::Flag) ++i;  // its value
    } else if (!commandSeen) {
      if (arg == "help") return true;
      commandSeen = true;
    }
  }
  return false;
}

const TCommandRow* FindCommand(const std::string& name) {
  for (const TCommandRow* row : CommandRows())
    if (name == row->Name) return row;
  return nullptr;
}

// The command word: the first argument that is no option nor an option's
// value; null when there is none or it names no command.
const TCommandRow* CommandWord(const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (!IsOption(args[i])) return FindCommand(args[i]);
    const TOption* option = AnyOption(args[i]);
    if (option != nullptr && option->Kind != TOptionKind::Flag) ++i;
  }
  return nullptr;
}

// The options' values back to their defaults, before a line is read.
void Reset(std::span<const TOption> options) {
  for (const TOption& option : options) {
    if (option.Given != nullptr) *option.Given = false;
    if (option.Number != nullptr) *option.Number = option.Default;
    if (option.Text != nullptr) option.Text->clear();
  }
}

// Whether value is one for option: a number within its range.
bool CheckValue(const TOption& option, const std::string& value, int32_t& number, std::string& error) {
  return option.Kind != TOptionKind::Number || ParseQuantity(value, *option.Range, number, error);
}

// Stores value in option's place.
bool TakeValue(const TOption& option, const std::string& value, std::string& error) {
  int32_t number = 0;
  if (!CheckValue(option, value, number, error)) return false;
  if (option.Given != nullptr) *option.Given = true;
  if (option.Kind == TOptionKind::Text) *option.Text = value;
  else *option.Number = number;
  return true;
}

// --version works whatever else is given; it shows the module and the
// k8055d.dll that --module and --vendor-dir name.
bool AsksForVersion(const std::vector<std::string>& args, TCommand& command) {
  for (const std::string& arg : args)
    if (arg == "--version") {
      command.Row = &VersionCommand;
      for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--module") command.Paths.ModulePath = args[i + 1];
        if (args[i] == "--vendor-dir") command.Paths.VendorDir = args[i + 1];
      }
      return true;
    }
  return false;
}

}  // namespace

std::span<const TOption> GlobalOptions() { return Globals; }

// The options are read in their order, each checked as it comes; whether
// the command takes them is said once the whole line is read. An option
// that the command does not take has its value checked by the first
// command that takes it.
bool ParseCommandLine(const std::vector<std::string>& args, TCommand& command, std::string& error) {
  command = TCommand{};
  if (args.empty() || AsksForHelp(args) || AsksForVersion(args, command)) return true;

  const TCommandRow* row = CommandWord(args);
  Reset(Globals);
  if (row != nullptr) {
    Reset(row->Options);
    if (row->ArgumentText != nullptr) row->ArgumentText->clear();
  }
  bool commandSeen = false;
  std::vector<std::string> given;  // the options' names
  const TOption* notTaken = nullptr;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (IsOption(arg)) {
      const TOption* own = row != nullptr ? OptionOf(*row, arg) : nullptr;
      const TOption* option = own != nullptr ? own : AnyOption(arg);
      if (option == nullptr) {
        error = "unknown option " + arg + " (try --help)";
        return false;
      }
      for (const std::string& seen : given)
        if (seen == arg) {
          error = "option " + arg + " given twice";
          return false;
        }
      given.push_back(arg);
      if (own == nullptr && notTaken == nullptr) notTaken = option;
      if (option->Kind == TOptionKind::Flag) {
        if (own != nullptr) *own->Given = true;
        continue;
      }
      if (i + 1 == args.size()) {
        error = "option " + arg + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      int32_t unused = 0;
      if (own != nullptr ? !TakeValue(*own, value, error) : !CheckValue(*option, value, unused, error)) return false;
    } else if (!commandSeen) {
      commandSeen = true;
      if (row == nullptr) {
        error = "unknown command " + QuotedField(arg) + " (try --help)";
        return false;
      }
    } else if (row->Argument != nullptr && row->ArgumentText->empty()) {
      *row->ArgumentText = arg;
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
  command.Paths = GivenPaths;
  if (notTaken != nullptr) {
    error = std::string(row->Name) + " does not take " + notTaken->Name + " (try --help)";
    return false;
  }
  if (row->Argument != nullptr && row->ArgumentText->empty()) {
    error = std::string(row->Name) + " needs a " + row->Argument;
    return false;
  }
  return row->Check == nullptr || row->Check(error);
}
