#include "test_host/commands/command_line.h"

#include <cstring>

#include "test_host/text/number_text.h"
#include "version/tarnwell_version.h"

const char UsageText[] =
    "Usage: tarnwell_host [--module FILE] [--vendor-dir DIR] COMMAND [OPTIONS]\n"
    "       tarnwell_host --help | --version\n"
    "\n"
    "Loads out_tarnwell.dll as a host application does and tries it with the\n"
    "K8055 boards that answer, before you start your host application.\n"
    "\n"
    "Commands:\n"
    "  info                    the module's information text, caption, ready flag\n"
    "                          and channels; says why if k8055d.dll cannot be used\n"
    "  cards                   tries every card address, lists the four cards\n"
    "  set --card N --channel C --value V\n"
    "  set --card N --channel C --samples FILE\n"
    "                          sends one block of 1024 samples to channel C of\n"
    "                          card N: all of value V, or the values in FILE; the\n"
    "                          output stays so, the others keep their state\n"
    "  play FILE [--card N] [--off-at-end]\n"
    "                          streams the rows of FILE in real time, one block of\n"
    "                          1024 samples of the value per row; Ctrl+C stops.\n"
    "                          The outputs stay as the last rows left them, or\n"
    "                          with --off-at-end all go off at the end\n"
    "  identify [--card N]     flashes all outputs of card N for 3 s, then leaves\n"
    "                          them off: shows which board has that address\n"
    "  off [--card N]          all outputs off on card N, or on every card that\n"
    "                          answers\n"
    "  panel [--settings TEXT] opens a window with the module's settings panel;\n"
    "                          when closed, prints the settings text to paste\n"
    "  try [--settings TEXT] [--rate HZ]\n"
    "                          the settings panel and a control per channel in a\n"
    "                          window: each change sends one action; when closed,\n"
    "                          prints the settings text\n"
    "  timeline RECORD [--out FILE]\n"
    "                          draws the virtual board's call record as a web page:\n"
    "                          each board's outputs over time (default FILE: the\n"
    "                          RECORD's name ending in .html)\n"
    "\n"
    "Options:\n"
    "  --module FILE     the module (default: out_tarnwell.dll beside this program)\n"
    "  --vendor-dir DIR  also look for k8055d.dll in DIR, e.g. virtual-board\n"
    "  --card N          card number 1 ... 4, that is card address 0 ... 3 as set\n"
    "                    by the board's jumpers (default 1)\n"
    "  --channel C       1 ... 8 digital outputs 1 ... 8, 9 and 10 analog outputs\n"
    "  --value V         sample value 0 ... 65535: a digital output is on unless V\n"
    "                    is 0; an analog output gets V / 20, at most 255\n"
    "  --samples FILE    1024 values separated by commas, blanks or line ends\n"
    "  --off-at-end      play: all outputs of the file's cards off at the end,\n"
    "                    also when stopped\n"
    "  --settings TEXT   a settings text to restore first, e.g. 2\n"
    "  --rate HZ         try: also resend all channels HZ times a second, 1 ... 1000\n"
    "  --out FILE        timeline: the page to write\n"
    "  --version         the versions of this program, of the module and of the\n"
    "                    k8055d.dll it would use (saying when it is the virtual\n"
    "                    board)\n"
    "\n"
    "Double-clicked in Explorer, it opens the try window with card 1.\n"
    "\n"
    "FILE for play: one row per line, time_ms,channel,value[,card], times from\n"
    "the start and not decreasing (or the same with ; between the fields\n"
    "throughout); a header line and lines starting with # are skipped. Rows\n"
    "without a card go to --card. Rows for a card that does not answer are\n"
    "skipped.\n"
    "\n"
    "Exit status: 0 done; 1 the module or k8055d.dll cannot be used; 2 bad\n"
    "command line or input file; 3 a card does not answer: nothing, or not\n"
    "every row, reached a board; 4 no window can be made (no display); 130\n"
    "stopped by Ctrl+C or by closing the console.\n";

const char VersionText[] = "tarnwell_host " TARNWELL_VERSION_TEXT "\n";

namespace {

struct TCommandName {
  const char* Name;
  TCommandKind Kind;
  const char* Options;  // the options it takes, each followed by a blank
};

const TCommandName Commands[] = {
    {"info", TCommandKind::Info, ""},
    {"cards", TCommandKind::Cards, ""},
    {"set", TCommandKind::Set, "--card --channel --value --samples "},
    {"play", TCommandKind::Play, "--card --off-at-end "},
    {"identify", TCommandKind::Identify, "--card "},
    {"off", TCommandKind::Off, "--card "},
    {"panel", TCommandKind::Panel, "--settings "},
    {"try", TCommandKind::Try, "--settings --rate "},
    {"timeline", TCommandKind::Timeline, "--out "},
};

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h" || arg == "help"; }

const char KnownOptions[] = "--module --vendor-dir --card --channel --value --samples --settings --rate --out ";
const char KnownFlags[] = "--off-at-end ";  // options without a value

bool Listed(const char* list, const std::string& option) {
  return std::strstr(list, (option + " ").c_str()) != nullptr;
}

// Stores the value of a known option in command.
bool TakeOption(const std::string& name, const std::string& value, TCommand& command, std::string& error) {
  if (name == "--card") {
    command.HasCard = true;
    return ParseQuantity(value, CardNumber, command.Card, error);
  }
  if (name == "--channel") return ParseQuantity(value, ChannelNumber, command.Channel, error);
  if (name == "--value") {
    command.HasValue = true;
    return ParseQuantity(value, SampleValue, command.Value, error);
  }
  if (name == "--rate") return ParseQuantity(value, ResendRate, command.Rate, error);
  if (name == "--module") command.ModulePath = value;
  if (name == "--vendor-dir") command.VendorDir = value;
  if (name == "--samples") command.SamplesFile = value;
  if (name == "--out") command.OutFile = value;
  if (name == "--settings") {
    command.HasSettings = true;
    command.Settings = value;
  }
  return true;
}

bool CheckComplete(const TCommand& command, std::string& error) {
  if (command.Kind == TCommandKind::Set) {
    if (command.Channel == 0) error = "set needs --channel C";
    else if (command.HasValue && !command.SamplesFile.empty()) error = "set takes --value V or --samples FILE, not both";
    else if (!command.HasValue && command.SamplesFile.empty()) error = "set needs either --value V or --samples FILE";
  }
  if (command.Kind == TCommandKind::Play && command.PlayFile.empty()) error = "play needs a FILE";
  if (command.Kind == TCommandKind::Timeline && command.RecordFile.empty()) error = "timeline needs a RECORD";
  return error.empty();
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, TCommand& command, std::string& error) {
  command = TCommand{};
  if (args.empty()) return true;
  for (const std::string& arg : args)
    if (IsHelp(arg)) return true;
  // --version works whatever else is given; it shows the module and the
  // k8055d.dll that --module and --vendor-dir name.
  for (const std::string& arg : args)
    if (arg == "--version") {
      command.Kind = TCommandKind::Version;
      for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--module") command.ModulePath = args[i + 1];
        if (args[i] == "--vendor-dir") command.VendorDir = args[i + 1];
      }
      return true;
    }

  const TCommandName* name = nullptr;
  std::vector<std::string> options;  // seen so far, to be checked once the command is known
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) == 0) {
      const bool flag = Listed(KnownFlags, arg);
      if (!flag && !Listed(KnownOptions, arg)) {
        error = "unknown option " + arg + " (try --help)";
        return false;
      }
      for (const std::string& seen : options)
        if (seen == arg) {
          error = "option " + arg + " given twice";
          return false;
        }
      options.push_back(arg);
      if (flag) {
        command.OffAtEnd = true;
        continue;
      }
      if (i + 1 == args.size()) {
        error = "option " + arg + " needs a value";
        return false;
      }
      if (!TakeOption(arg, args[++i], command, error)) return false;
    } else if (name == nullptr) {
      for (const TCommandName& candidate : Commands)
        if (arg == candidate.Name) name = &candidate;
      if (name == nullptr) {
        error = "unknown command " + QuotedField(arg) + " (try --help)";
        return false;
      }
      command.Kind = name->Kind;
    } else if (command.Kind == TCommandKind::Play && command.PlayFile.empty()) {
      command.PlayFile = arg;
    } else if (command.Kind == TCommandKind::Timeline && command.RecordFile.empty()) {
      command.RecordFile = arg;
    } else {
      error = "unexpected argument " + QuotedField(arg) + " (try --help)";
      return false;
    }
  }
  if (name == nullptr) {
    error = "no command given (try --help)";
    return false;
  }
  for (const std::string& option : options) {
    if (option == "--module" || option == "--vendor-dir" || Listed(name->Options, option)) continue;
    error = std::string(name->Name) + " does not take " + option + " (try --help)";
    return false;
  }
  return CheckComplete(command, error);
}
