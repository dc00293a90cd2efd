// The test host's command table read as a whole: every row's options are
// taken by its command, into its own storage, and refused by the others,
// and the help assembled from the rows is the text users know.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "test_host/commands/command_line.h"
#include "test_host/commands/command_table.h"
#include "test_host/commands/usage_text.h"

#include <gtest/gtest.h>

namespace {

// Every option name, global or of a command.
std::vector<std::string> EveryOptionName() {
  std::vector<std::string> names;
  const auto add = [&](const TOption& option) {
    if (std::find(names.begin(), names.end(), option.Name) == names.end()) names.push_back(option.Name);
  };
  for (const TOption& option : GlobalOptions()) add(option);
  for (const TCommandRow* row : CommandRows())
    for (const TOption& option : row->Options) add(option);
  return names;
}

// The option of that name that row takes, global or its own; null if none.
const TOption* Taken(const TCommandRow& row, const std::string& name) {
  for (const std::span<const TOption> options : {GlobalOptions(), row.Options})
    for (const TOption& option : options)
      if (name == option.Name) return &option;
  return nullptr;
}

// An option of that name, of any command.
const TOption& AnyOption(const std::string& name) {
  for (const TCommandRow* row : CommandRows())
    if (const TOption* option = Taken(*row, name)) return *option;
  ADD_FAILURE() << name;
  return GlobalOptions()[0];
}

// The row's command with its argument and option, with a value in range.
std::vector<std::string> LineWith(const TCommandRow& row, const TOption& option) {
  std::vector<std::string> args{row.Name};
  if (row.Argument != nullptr) args.push_back("argument");
  args.push_back(option.Name);
  if (option.Kind == TOptionKind::Number) args.push_back(std::to_string(option.Range->Min));
  if (option.Kind == TOptionKind::Text) args.push_back("text");
  return args;
}

TEST(TestHostCommandTable, EveryRowTakesItsOptionsAndRefusesTheOthers) {
  ASSERT_FALSE(CommandRows().empty());
  for (const TCommandRow* row : CommandRows()) {
    for (const std::string& name : EveryOptionName()) {
      const TOption* own = Taken(*row, name);
      TCommand command;
      std::string error;
      const bool ok = ParseCommandLine(LineWith(*row, own != nullptr ? *own : AnyOption(name)), command, error);
      const std::string line = std::string(row->Name) + " " + name;
      if (own == nullptr) {
        EXPECT_FALSE(ok) << line;
        EXPECT_EQ(error, std::string(row->Name) + " does not take " + name + " (try --help)");
        continue;
      }
      // Taken: what is still missing is only what the row's check asks for.
      std::string missing;
      if (!ok) {
        ASSERT_NE(row->Check, nullptr) << line << ": " << error;
        EXPECT_FALSE(row->Check(missing)) << line;
      }
      EXPECT_EQ(error, missing) << line;
      EXPECT_EQ(command.Row, row) << line;
      EXPECT_TRUE(row->Argument == nullptr || *row->ArgumentText == "argument") << line;
      EXPECT_TRUE(own->Given == nullptr || *own->Given) << line;
      EXPECT_TRUE(own->Kind != TOptionKind::Number || *own->Number == own->Range->Min) << line;
      // A global option's value goes to the command's paths.
      const std::string text = name == "--module"       ? command.Paths.ModulePath
                               : name == "--vendor-dir" ? command.Paths.VendorDir
                               : own->Kind == TOptionKind::Text ? *own->Text
                                                                : "text";
      EXPECT_EQ(text, "text") << line;
    }
  }
}

TEST(TestHostCommandTable, RowsAreFoundByNameAndNeedTheirArgument) {
  for (const TCommandRow* row : CommandRows()) {
    TCommand command;
    std::string error;
    const bool ok = ParseCommandLine({row->Name}, command, error);
    if (row->Argument != nullptr) {
      EXPECT_FALSE(ok) << row->Name;
      EXPECT_EQ(error, std::string(row->Name) + " needs a " + row->Argument);
    } else if (!ok) {
      EXPECT_NE(row->Check, nullptr) << row->Name << ": " << error;
    }
    EXPECT_EQ(command.Row, row) << row->Name;
    EXPECT_NE(std::string(row->Usage).find("  " + std::string(row->Name) + " "), std::string::npos) << row->Name;
  }
}

// A value a line gives goes to its command alone: commands that take the
// same option each keep their own, and the next line starts again from the
// defaults.
TEST(TestHostCommandTable, EachCommandOwnsItsOptionsValues) {
  TCommand command;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"identify", "--card", "3"}, command, error)) << error;
  ASSERT_TRUE(ParseCommandLine({"off"}, command, error)) << error;
  EXPECT_FALSE(*Taken(*command.Row, "--card")->Given) << "off's own --card, not identify's";
  ASSERT_TRUE(ParseCommandLine({"identify"}, command, error)) << error;
  EXPECT_EQ(*Taken(*command.Row, "--card")->Number, 1) << "back to the default";
  EXPECT_FALSE(*Taken(*command.Row, "--card")->Given);
}

TEST(TestHostCommandTable, HelpIsTheTextUsersKnowByteForByte) {
  // The help as it was before the commands became rows.
  std::ifstream file(TARNWELL_SOURCE_DIR "/tests/native/tarnwell_host_help.txt", std::ios::binary);
  ASSERT_TRUE(file) << "tests/native/tarnwell_host_help.txt";
  std::stringstream known;
  known << file.rdbuf();
  EXPECT_EQ(UsageText(), known.str());
}

}  // namespace
