#include "test_host/commands/command_table.h"

#include "test_host/commands/command_runs.h"

namespace {

const TOption ModuleOption{"--module", TOptionKind::Text, nullptr, nullptr, nullptr, &TCommand::ModulePath,
                           "  --module FILE     the module (default: out_tarnwell.dll beside this program)\n"};
const TOption VendorDirOption{"--vendor-dir", TOptionKind::Text, nullptr, nullptr, nullptr, &TCommand::VendorDir,
                              "  --vendor-dir DIR  also look for k8055d.dll in DIR, e.g. virtual-board\n"};
const TOption CardOption{"--card", TOptionKind::Number, &CardNumber, &TCommand::HasCard, &TCommand::Card, nullptr,
                         "  --card N          card number 1 ... 4, that is card address 0 ... 3 as set\n"
                         "                    by the board's jumpers (default 1)\n"};
const TOption ChannelOption{"--channel", TOptionKind::Number, &ChannelNumber, nullptr, &TCommand::Channel, nullptr,
                            "  --channel C       1 ... 8 digital outputs 1 ... 8, 9 and 10 analog outputs\n"};
const TOption ValueOption{"--value", TOptionKind::Number, &SampleValue, &TCommand::HasValue, &TCommand::Value, nullptr,
                          "  --value V         sample value 0 ... 65535: a digital output is on unless V\n"
                          "                    is 0; an analog output gets V / 20, at most 255\n"};
const TOption SamplesOption{"--samples", TOptionKind::Text, nullptr, nullptr, nullptr, &TCommand::SamplesFile,
                            "  --samples FILE    1024 values separated by commas, blanks or line ends\n"};
const TOption OffAtEndOption{"--off-at-end", TOptionKind::Flag, nullptr, &TCommand::OffAtEnd, nullptr, nullptr,
                             "  --off-at-end      play: all outputs of the file's cards off at the end,\n"
                             "                    also when stopped\n"};
const TOption SettingsOption{"--settings", TOptionKind::Text, nullptr, &TCommand::HasSettings, nullptr,
                             &TCommand::Settings, "  --settings TEXT   a settings text to restore first, e.g. 2\n"};
const TOption RateOption{"--rate", TOptionKind::Number, &ResendRate, nullptr, &TCommand::Rate, nullptr,
                         "  --rate HZ         try: also resend all channels HZ times a second, 1 ... 1000\n"};
const TOption OutOption{"--out", TOptionKind::Text, nullptr, nullptr, nullptr, &TCommand::OutFile,
                        "  --out FILE        timeline: the page to write\n"};

const TOption* const Globals[] = {&ModuleOption, &VendorDirOption};

bool CheckSet(const TCommand& command, std::string& error) {
  if (command.Channel == 0) error = "set needs --channel C";
  else if (command.HasValue && !command.SamplesFile.empty()) error = "set takes --value V or --samples FILE, not both";
  else if (!command.HasValue && command.SamplesFile.empty()) error = "set needs either --value V or --samples FILE";
  return error.empty();
}

const TCommandRow Rows[] = {
    {"info", nullptr, nullptr, {}, nullptr, RunInfo,
     "  info                    the module's information text, caption, ready flag\n"
     "                          and channels; says why if k8055d.dll cannot be used\n"},
    {"cards", nullptr, nullptr, {}, nullptr, RunCards,
     "  cards                   tries every card address, lists the four cards\n"},
    {"set", nullptr, nullptr, {&CardOption, &ChannelOption, &ValueOption, &SamplesOption}, CheckSet, RunSet,
     "  set --card N --channel C --value V\n"
     "  set --card N --channel C --samples FILE\n"
     "                          sends one block of 1024 samples to channel C of\n"
     "                          card N: all of value V, or the values in FILE; the\n"
     "                          output stays so, the others keep their state\n"},
    {"play", "FILE", &TCommand::PlayFile, {&CardOption, &OffAtEndOption}, nullptr, RunPlay,
     "  play FILE [--card N] [--off-at-end]\n"
     "                          streams the rows of FILE in real time, one block of\n"
     "                          1024 samples of the value per row; Ctrl+C stops.\n"
     "                          The outputs stay as the last rows left them, or\n"
     "                          with --off-at-end all go off at the end\n"},
    {"identify", nullptr, nullptr, {&CardOption}, nullptr, RunIdentify,
     "  identify [--card N]     flashes all outputs of card N for 3 s, then leaves\n"
     "                          them off: shows which board has that address\n"},
    {"off", nullptr, nullptr, {&CardOption}, nullptr, RunOff,
     "  off [--card N]          all outputs off on card N, or on every card that\n"
     "                          answers\n"},
    {"panel", nullptr, nullptr, {&SettingsOption}, nullptr, RunPanel,
     "  panel [--settings TEXT] opens a window with the module's settings panel;\n"
     "                          when closed, prints the settings text to paste\n"},
    {"try", nullptr, nullptr, {&SettingsOption, &RateOption}, nullptr, RunTry,
     "  try [--settings TEXT] [--rate HZ]\n"
     "                          the settings panel and a control per channel in a\n"
     "                          window: each change sends one action; when closed,\n"
     "                          prints the settings text\n"},
    {"timeline", "RECORD", &TCommand::RecordFile, {&OutOption}, nullptr, RunTimeline,
     "  timeline RECORD [--out FILE]\n"
     "                          draws the virtual board's call record as a web page:\n"
     "                          each board's outputs over time (default FILE: the\n"
     "                          RECORD's name ending in .html)\n"},
};

}  // namespace

// Not rows of the table: the parser picks them before it looks for a
// command, and the help lists them in its frame.
const TCommandRow HelpCommand{"help", nullptr, nullptr, {}, nullptr, RunHelp, ""};
const TCommandRow VersionCommand{"--version", nullptr, nullptr, {}, nullptr, RunVersion, ""};

std::span<const TCommandRow> CommandRows() { return Rows; }

std::span<const TOption* const> GlobalOptions() { return Globals; }
