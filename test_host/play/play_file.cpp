#include "test_host/play/play_file.h"

#include <cctype>

#include "test_host/text/number_text.h"
#include "test_host/text/text_lines.h"

namespace {

// "time_ms" in any case: "Time_ms,Channel,Value" is a header too.
bool IsHeader(std::string_view line) {
  constexpr std::string_view Header = "time_ms";
  if (line.size() < Header.size()) return false;
  for (size_t i = 0; i < Header.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(line[i])) != Header[i]) return false;
  return true;
}

bool Skipped(std::string_view line, bool beforeRows) {
  line = Trimmed(line);
  return line.empty() || line.front() == '#' || (beforeRows && IsHeader(line));
}

// A spreadsheet set to a locale with the decimal comma saves its CSV with
// ";" between the fields; the file's first line that is not skipped (its
// header or first row) tells which of the two it uses. A comma in such a
// file is a decimal comma, part of a field.
char FieldSeparator(std::string_view text) {
  TTextLines lines(text);
  for (std::string_view line; lines.Next(line);)
    if (!Skipped(line, false)) return line.find(';') != std::string_view::npos ? ';' : ',';
  return ',';
}

std::vector<std::string_view> Fields(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  for (size_t end; (end = line.find(separator)) != std::string_view::npos; line.remove_prefix(end + 1))
    fields.push_back(line.substr(0, end));
  fields.push_back(line);
  return fields;
}

bool ParseRow(std::string_view line, char separator, int32_t defaultCard, TPlayRow& row, std::string& error) {
  const std::vector<std::string_view> fields = Fields(line, separator);
  if (fields.size() != 3 && fields.size() != 4) {
    const std::string s(1, separator);
    error = "expected time_ms" + s + "channel" + s + "value[" + s + "card] but found " + CountOf(fields.size(), "field");
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
  const char separator = FieldSeparator(text);
  TTextLines lines(text);
  for (std::string_view line; lines.Next(line);) {
    if (Skipped(line, rows.empty())) continue;
    TPlayRow row{};
    row.Line = lines.Number();
    std::string problem;
    bool good = ParseRow(line, separator, defaultCard, row, problem);
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
