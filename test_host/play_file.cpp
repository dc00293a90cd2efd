#include "test_host/play_file.h"

#include "test_host/number_text.h"
#include "test_host/text_lines.h"

namespace {

bool Skipped(std::string_view line, bool beforeRows) {
  line = Trimmed(line);
  return line.empty() || line.front() == '#' || (beforeRows && line.substr(0, 7) == "time_ms");
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t comma; (comma = line.find(',')) != std::string_view::npos; line.remove_prefix(comma + 1))
    fields.push_back(line.substr(0, comma));
  fields.push_back(line);
  return fields;
}

bool ParseRow(std::string_view line, int32_t defaultCard, TPlayRow& row, std::string& error) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.size() != 3 && fields.size() != 4) {
    error = "expected time_ms,channel,value[,card] but found " + std::to_string(fields.size()) + " fields";
    return false;
  }
  row.Card = defaultCard;
  return ParseQuantity(fields[0], TimeMs, row.TimeMs, error) &&
         ParseQuantity(fields[1], ChannelNumber, row.Channel, error) &&
         ParseQuantity(fields[2], SampleValue, row.Value, error) &&
         (fields.size() == 3 || ParseQuantity(fields[3], CardNumber, row.Card, error));
}

}  // namespace

bool ParsePlayFile(std::string_view text, int32_t defaultCard, std::vector<TPlayRow>& rows, std::string& error) {
  rows.clear();
  TTextLines lines(text);
  for (std::string_view line; lines.Next(line);) {
    if (Skipped(line, rows.empty())) continue;
    TPlayRow row{};
    row.Line = lines.Number();
    std::string problem;
    bool good = ParseRow(line, defaultCard, row, problem);
    if (good && !rows.empty() && row.TimeMs < rows.back().TimeMs) {
      problem = "time_ms " + std::to_string(row.TimeMs) + " is earlier than the row before (" +
                std::to_string(rows.back().TimeMs) + ")";
      good = false;
    }
    if (!good) {
      error = "line " + std::to_string(row.Line) + ": " + problem;
      return false;
    }
    rows.push_back(row);
  }
  if (rows.empty()) error = "no rows to play";
  return !rows.empty();
}
