// The test host's command line: commands, their options, and one clear
// error for anything else.
#include "test_host/commands/command_line.h"
#include "test_host/commands/command_table.h"
#include "test_host/commands/usage_text.h"
#include "version/tarnwell_version.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A parsed line, with its command's option values as the parse left them
// (the command's file keeps them, and the next parse resets them).
struct TParsed {
  bool Ok;
  TCommand Command;
  std::string Error;
  std::map<std::string, std::string> Values;  // by option name; "" for the argument
  std::map<std::string, bool> Given;
  std::string Value(const std::string& option) const { return Values.at(option); }
  int32_t Number(const std::string& option) const { return std::stoi(Values.at(option)); }
  bool Has(const std::string& option) const { return Given.at(option); }
};

TParsed Parse(std::vector<std::string> args) {
  TParsed parsed;
  parsed.Ok = ParseCommandLine(args, parsed.Command, parsed.Error);
  const TCommandRow& row = *parsed.Command.Row;
  for (const TOption& option : row.Options) {
    parsed.Values[option.Name] = option.Text != nullptr ? *option.Text
                                 : option.Number != nullptr ? std::to_string(*option.Number)
                                                            : "";
    if (option.Given != nullptr) parsed.Given[option.Name] = *option.Given;
  }
  if (row.ArgumentText != nullptr) parsed.Values[""] = *row.ArgumentText;
  return parsed;
}

std::string NameOf(const TCommand& command) { return command.Row->Name; }

TEST(TestHostCommandLine, EachCommandWithItsOptions) {
  TParsed set = Parse({"--vendor-dir", "boards", "set", "--card", "3", "--channel", "10", "--value", "65535"});
  ASSERT_TRUE(set.Ok) << set.Error;
  EXPECT_EQ(NameOf(set.Command), "set");
  EXPECT_EQ(set.Command.Paths.VendorDir, "boards");
  EXPECT_EQ(set.Number("--card"), 3);
  EXPECT_EQ(set.Number("--channel"), 10);
  EXPECT_TRUE(set.Has("--value"));
  EXPECT_EQ(set.Number("--value"), 65535);

  TParsed samples = Parse({"set", "--channel", "1", "--samples", "block.txt", "--module", "m.dll"});
  ASSERT_TRUE(samples.Ok) << samples.Error;
  EXPECT_EQ(samples.Number("--card"), 1);  // the default
  EXPECT_FALSE(samples.Has("--value"));
  EXPECT_EQ(samples.Value("--samples"), "block.txt");
  EXPECT_EQ(samples.Command.Paths.ModulePath, "m.dll");

  TParsed play = Parse({"play", "--card", "2", "light.csv"});
  ASSERT_TRUE(play.Ok) << play.Error;
  EXPECT_EQ(NameOf(play.Command), "play");
  EXPECT_EQ(play.Value(""), "light.csv");
  EXPECT_EQ(play.Number("--card"), 2);

  TParsed panel = Parse({"panel", "--settings", ""});
  ASSERT_TRUE(panel.Ok) << panel.Error;
  EXPECT_TRUE(panel.Has("--settings"));
  EXPECT_EQ(panel.Value("--settings"), "");

  TParsed tryIt = Parse({"try", "--rate", "1000", "--settings", "2"});
  ASSERT_TRUE(tryIt.Ok) << tryIt.Error;
  EXPECT_EQ(NameOf(tryIt.Command), "try");
  EXPECT_EQ(tryIt.Number("--rate"), 1000);
  EXPECT_EQ(tryIt.Value("--settings"), "2");
  EXPECT_EQ(Parse({"try"}).Number("--rate"), 0);  // no resending unless asked

  EXPECT_EQ(NameOf(Parse({"info"}).Command), "info");
  EXPECT_EQ(NameOf(Parse({"cards"}).Command), "cards");
}

TEST(TestHostCommandLine, IdentifyOffAndPlaysEnd) {
  TParsed off = Parse({"off"});
  ASSERT_TRUE(off.Ok) << off.Error;
  EXPECT_EQ(NameOf(off.Command), "off");
  EXPECT_FALSE(off.Has("--card"));  // every card that answers

  TParsed offOne = Parse({"off", "--card", "4"});
  ASSERT_TRUE(offOne.Ok) << offOne.Error;
  EXPECT_TRUE(offOne.Has("--card"));
  EXPECT_EQ(offOne.Number("--card"), 4);

  TParsed identify = Parse({"identify", "--card", "2"});
  ASSERT_TRUE(identify.Ok) << identify.Error;
  EXPECT_EQ(NameOf(identify.Command), "identify");
  EXPECT_EQ(identify.Number("--card"), 2);

  TParsed play = Parse({"play", "--off-at-end", "light.csv"});  // a flag takes no value
  ASSERT_TRUE(play.Ok) << play.Error;
  EXPECT_TRUE(play.Has("--off-at-end"));
  EXPECT_EQ(play.Value(""), "light.csv");
  EXPECT_FALSE(Parse({"play", "light.csv"}).Has("--off-at-end"));
}

TEST(TestHostCommandLine, HelpOptionWinsOverBadInput) {
  for (const char* help : {"--help", "-h"}) {
    TParsed parsed = Parse({"set", "--card", "9", help});
    EXPECT_TRUE(parsed.Ok) << help;
    EXPECT_EQ(parsed.Command.Row, &HelpCommand);
  }
  EXPECT_TRUE(Parse({}).Ok);
  EXPECT_EQ(Parse({}).Command.Row, &HelpCommand) << "no arguments: the help";
  EXPECT_NE(UsageText().find("play FILE"), std::string::npos);
}

TEST(TestHostCommandLine, HelpOnlyWhereAnOptionCanStand) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"help"}, {"--module", "m.dll", "help"}, {"help", "play"}, {"help", "--card", "9"},
        {"play", "-h"}, {"play", "light.csv", "--help"}, {"timeline", "-h", "calls.txt"}, {"blink", "--help"},
        {"--bogus", "-h"}, {"--off-at-end", "help"}}) {
    TParsed parsed = Parse(args);
    EXPECT_TRUE(parsed.Ok) << args.front() << " " << parsed.Error;
    EXPECT_EQ(parsed.Command.Row, &HelpCommand) << args.front() << " " << args.back();
  }

  TParsed play = Parse({"play", "help"});  // a file called help
  ASSERT_TRUE(play.Ok) << play.Error;
  EXPECT_EQ(NameOf(play.Command), "play");
  EXPECT_EQ(play.Value(""), "help");
  TParsed timeline = Parse({"timeline", "help", "--out", "help"});
  ASSERT_TRUE(timeline.Ok) << timeline.Error;
  EXPECT_EQ(timeline.Value(""), "help");
  EXPECT_EQ(timeline.Value("--out"), "help");
  // An option's value is never the help, whatever it says.
  for (const char* text : {"help", "--help", "-h"}) {
    TParsed panel = Parse({"panel", "--settings", text});
    ASSERT_TRUE(panel.Ok) << panel.Error;
    EXPECT_EQ(NameOf(panel.Command), "panel");
    EXPECT_EQ(panel.Value("--settings"), text);
  }
  EXPECT_EQ(Parse({"--module", "-h", "info"}).Command.Paths.ModulePath, "-h");

  EXPECT_EQ(Parse({"play", "a.csv", "help"}).Error, "unexpected argument \"help\" (try --help)");
  EXPECT_EQ(Parse({"set", "--card", "9", "help"}).Error, "card \"9\" is not a whole number from 1 to 4");
  EXPECT_EQ(Parse({"play", "help", "--version"}).Command.Row, &VersionCommand);
}

TEST(TestHostCommandLine, VersionAnywhereButHelpFirst) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--version"}, {"info", "--version"},
                                               {"set", "--card", "9", "--version"}}) {
    TParsed parsed = Parse(args);
    EXPECT_TRUE(parsed.Ok) << parsed.Error;
    EXPECT_EQ(parsed.Command.Row, &VersionCommand) << args.size();
  }
  EXPECT_EQ(Parse({"--version", "--help"}).Command.Row, &HelpCommand);
  EXPECT_EQ(std::string(VersionText), "tarnwell_host " TARNWELL_VERSION_TEXT "\n");
}

TEST(TestHostCommandLine, VersionKeepsTheFilesItShows) {
  TParsed parsed = Parse({"--vendor-dir", "board", "--card", "9", "--module", "m.dll", "--version"});
  ASSERT_TRUE(parsed.Ok) << parsed.Error;
  EXPECT_EQ(parsed.Command.Row, &VersionCommand);
  EXPECT_EQ(parsed.Command.Paths.VendorDir, "board");
  EXPECT_EQ(parsed.Command.Paths.ModulePath, "m.dll");
}

TEST(TestHostCommandLine, BadInputGetsOneClearError) {
  const struct {
    std::vector<std::string> Args;
    std::string Error;
  } cases[] = {
      {{"--module", "m.dll"}, "no command given (try --help)"},
      {{"blink"}, "unknown command \"blink\" (try --help)"},
      {{"info", "--verbose", "1"}, "unknown option --verbose (try --help)"},
      {{"info", "extra"}, "unexpected argument \"extra\" (try --help)"},
      {{"play", "a.csv", "b.csv"}, "unexpected argument \"b.csv\" (try --help)"},
      {{"set", "--card"}, "option --card needs a value"},
      {{"set", "--card", "0", "--channel", "1", "--value", "1"}, "card \"0\" is not a whole number from 1 to 4"},
      {{"set", "--card", "5", "--channel", "1", "--value", "1"}, "card \"5\" is not a whole number from 1 to 4"},
      {{"set", "--channel", "11", "--value", "1"}, "channel \"11\" is not a whole number from 1 to 10"},
      {{"set", "--channel", "-1", "--value", "1"}, "channel \"-1\" is not a whole number from 1 to 10"},
      {{"set", "--channel", "1", "--value", "65536"}, "value \"65536\" is not a whole number from 0 to 65535"},
      {{"set", "--channel", "1", "--value", "0x10"}, "value \"0x10\" is not a whole number from 0 to 65535"},
      {{"set", "--channel", "1", "--value", "99999999999"}, "value \"99999999999\" is not a whole number from 0 to 65535"},
      {{"set", "--value", "1"}, "set needs --channel C"},
      {{"set", "--channel", "1"}, "set needs either --value V or --samples FILE"},
      {{"set", "--channel", "1", "--value", "1", "--samples", "f"}, "set takes --value V or --samples FILE, not both"},
      {{"play"}, "play needs a FILE"},
      {{"info", "--card", "1"}, "info does not take --card (try --help)"},
      {{"play", "f.csv", "--channel", "1"}, "play does not take --channel (try --help)"},
      {{"cards", "--settings", "1"}, "cards does not take --settings (try --help)"},
      {{"set", "--card", "1", "--channel", "1", "--card", "2", "--value", "1"}, "option --card given twice"},
      {{"--module", "a.dll", "--module", "b.dll", "info"}, "option --module given twice"},
      {{"play", "f.csv", "--off-at-end", "--off-at-end"}, "option --off-at-end given twice"},
      {{"set", "--channel", "1", "--off-at-end", "--value", "1"}, "set does not take --off-at-end (try --help)"},
      {{"identify", "--channel", "1"}, "identify does not take --channel (try --help)"},
      {{std::string(100, 'x')}, "unknown command \"" + std::string(60, 'x') + "...\" (try --help)"},
      {{"try", "--rate", "0"}, "rate \"0\" is not a whole number from 1 to 1000"},
      {{"try", "--rate", "1001"}, "rate \"1001\" is not a whole number from 1 to 1000"},
      {{"panel", "--rate", "10"}, "panel does not take --rate (try --help)"},
  };
  for (const auto& c : cases) {
    TParsed parsed = Parse(c.Args);
    EXPECT_FALSE(parsed.Ok) << c.Error;
    EXPECT_EQ(parsed.Error, c.Error);
  }
}

}  // namespace
