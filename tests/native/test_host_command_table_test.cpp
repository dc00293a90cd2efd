// The test host's command table read as a whole: every row's options are
// taken by its command and refused by the others, every row runs its own
// function, and the help assembled from the rows is the text users know.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "test_host/commands/command_table.h"
#include "test_host/commands/usage_text.h"
#include "tests/native/command_runs_for_tests.h"

#include <gtest/gtest.h>

namespace {

std::vector<const TOption*> EveryOption() {
  std::vector<const TOption*> options(GlobalOptions().begin(), GlobalOptions().end());
  for (const TCommandRow& row : CommandRows())
    for (const TOption* option : row.Options)
      if (option != nullptr && std::find(options.begin(), options.end(), option) == options.end())
        options.push_back(option);
  return options;
}

bool Takes(const TCommandRow& row, const TOption* option) {
  const auto& globals = GlobalOptions();
  return std::find(globals.begin(), globals.end(), option) != globals.end() ||
         std::find(std::begin(row.Options), std::end(row.Options), option) != std::end(row.Options);
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
  for (const TCommandRow& row : CommandRows()) {
    for (const TOption* option : EveryOption()) {
      TCommand command;
      std::string error;
      const bool ok = ParseCommandLine(LineWith(row, *option), command, error);
      const std::string line = std::string(row.Name) + " " + option->Name;
      if (!Takes(row, option)) {
        EXPECT_FALSE(ok) << line;
        EXPECT_EQ(error, std::string(row.Name) + " does not take " + option->Name + " (try --help)");
        continue;
      }
      // Taken: what is still missing is only what the row's check asks for.
      std::string missing;
      if (!ok) {
        ASSERT_NE(row.Check, nullptr) << line << ": " << error;
        EXPECT_FALSE(row.Check(command, missing)) << line;
      }
      EXPECT_EQ(error, missing) << line;
      EXPECT_EQ(command.Row, &row) << line;
      EXPECT_TRUE(row.Argument == nullptr || command.*row.ArgumentText == "argument") << line;
      EXPECT_TRUE(option->Given == nullptr || command.*option->Given) << line;
      EXPECT_TRUE(option->Kind != TOptionKind::Number || command.*option->Number == option->Range->Min) << line;
      EXPECT_TRUE(option->Kind != TOptionKind::Text || command.*option->Text == "text") << line;
    }
  }
}

TEST(TestHostCommandTable, RowsAreFoundByNameAndNeedTheirArgument) {
  for (const TCommandRow& row : CommandRows()) {
    TCommand command;
    std::string error;
    const bool ok = ParseCommandLine({row.Name}, command, error);
    if (row.Argument != nullptr) {
      EXPECT_FALSE(ok) << row.Name;
      EXPECT_EQ(error, std::string(row.Name) + " needs a " + row.Argument);
    } else if (!ok) {
      EXPECT_NE(row.Check, nullptr) << row.Name << ": " << error;
    }
    EXPECT_EQ(command.Row, &row) << row.Name;
    EXPECT_NE(std::string(row.Usage).find("  " + std::string(row.Name) + " "), std::string::npos) << row.Name;
  }
}

TEST(TestHostCommandTable, EveryRowRunsItsOwnFunction) {
  std::vector<const TCommandRow*> rows{&HelpCommand, &VersionCommand};
  for (const TCommandRow& row : CommandRows()) rows.push_back(&row);
  for (const TCommandRow* row : rows) {
    TCommand command;
    command.Row = row;
    EXPECT_EQ(command.Row->Run(command), 0);
    EXPECT_EQ(LastCommandRun(), row->Name);
  }
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
