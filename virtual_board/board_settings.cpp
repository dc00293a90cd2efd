#include "virtual_board/board_settings.h"

#include <cstdint>
#include <cstring>

#include "virtual_board/fixed_text.h"

namespace {

constexpr std::string_view SectionName = "virtual board";
constexpr std::string_view BoardsKey = "boards";
constexpr std::string_view WindowKey = "window";
constexpr std::string_view RecordKey = "record";
constexpr std::string_view ForwardKey = "forward";
constexpr std::string_view PaceKey = "pace";
constexpr std::string_view UnplugKey = "unplug";
constexpr std::string_view Keys[] = {BoardsKey, WindowKey, RecordKey, ForwardKey, PaceKey, UnplugKey};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// text from pos on (pos at most its size). substr would check the range and
// need the C++ library, which the virtual board does not link.
std::string_view From(std::string_view text, size_t pos) { return {text.data() + pos, text.size() - pos}; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}

// Where a value comes from, for its problem's text and its origin.
struct TPlace {
  TSettingOrigin Origin;
  int Line;              // in the file
  const char* Variable;  // in the environment
};

void ValueProblem(TBoardSettings& settings, const TPlace& place, std::string_view key, std::string_view value,
                  std::string_view what) {
  TFixedText problems(settings.Problems, sizeof(settings.Problems));
  problems.NextLine();
  if (place.Origin == TSettingOrigin::File) problems << BoardSettingsFile << " line " << place.Line << ": " << key;
  else problems << place.Variable;
  problems << " ";
  problems.Quoted(value) << " " << what;
}

// Decimal digits alone, at most max.
bool ParseWhole(std::string_view text, uint32_t max, uint32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + static_cast<uint64_t>(c - '0');
  }
  if (number > max) return false;
  value = static_cast<uint32_t>(number);
  return true;
}

bool IsAbsolute(std::string_view path) {
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// A path in the file (record, forward): surrounding quotes dropped, %NAME%
// replaced by the variable's value, a relative path taken from the file's
// folder. On failure unset names the variable that is not set, or is empty
// when the path is too long.
bool ExpandFilePath(const TBoardSettingsSources& sources, std::string_view value, char* path, size_t size,
                    std::string_view& unset) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = From(value, 1).substr(0, value.size() - 2);
  char expanded[SettingsTextSize] = "";
  TFixedText text(expanded, sizeof(expanded));
  while (!value.empty()) {
    const size_t open = value.find('%');
    const size_t close = open == std::string_view::npos ? open : value.find('%', open + 1);
    if (close == std::string_view::npos || close == open + 1) {
      text << value;
      break;
    }
    text << value.substr(0, open);
    const std::string_view name = From(value, open + 1).substr(0, close - open - 1);
    char variable[SettingsTextSize];
    if (sources.Lookup == nullptr || !sources.Lookup(name, variable, sizeof(variable), sources.LookupContext)) {
      unset = From(value, open).substr(0, close - open + 1);
      return false;
    }
    text << variable;
    value.remove_prefix(close + 1);
  }
  path[0] = '\0';
  TFixedText joined(path, size);
  if (!text.View().empty() && !IsAbsolute(text.View()) && !sources.FileFolder.empty()) {
    const char last = sources.FileFolder.back();
    joined << sources.FileFolder << (last == '\\' || last == '/' ? "" : "\\");
  }
  joined << text.View();
  return text.View().size() + 1 < sizeof(expanded) && joined.View().size() + 1 < size;
}

void ApplyValue(const TBoardSettingsSources& sources, TBoardSettings& settings, const TPlace& place,
                std::string_view key, std::string_view value) {
  if (key == BoardsKey) {
    if (ParseCardAddresses(value, settings.Boards)) settings.BoardsOrigin = place.Origin;
    else ValueProblem(settings, place, key, value, "is not a list of card addresses 0 ... 3 (such as 0,1) or none");
  } else if (key == PaceKey) {
    uint32_t pace = 0;
    if (ParseWhole(value, MaxPaceMs, pace)) {
      settings.PaceMs = static_cast<int32_t>(pace);
      settings.PaceOrigin = place.Origin;
    } else {
      ValueProblem(settings, place, key, value, "is not a number of milliseconds 0 ... 1000 (such as 8)");
    }
  } else if (key == UnplugKey) {
    char why[256] = "is not a card address and call, such as 0@200 or 0@200-400, or none";
    TFixedText reason(why, sizeof(why));
    if (ParseUnplugTimes(value, settings.Unplug, reason)) settings.UnplugOrigin = place.Origin;
    else ValueProblem(settings, place, key, value, reason.View());
  } else if (key == WindowKey) {
    if (value == "0" || value == "1") {
      settings.Window = value == "1";
      settings.WindowOrigin = place.Origin;
    } else {
      ValueProblem(settings, place, key, value, "is not 0 (no windows) or 1 (a window for each open board)");
    }
  } else {  // record or forward: a path
    char path[SettingsTextSize] = "";
    std::string_view unset;
    bool read = false;
    if (place.Origin == TSettingOrigin::Environment) {
      TFixedText(path, sizeof(path)) << value;
      read = value.size() < sizeof(path);
    } else {
      read = ExpandFilePath(sources, value, path, sizeof(path), unset);
    }
    if (read) {
      const bool record = key == RecordKey;
      std::memcpy(record ? settings.Record : settings.Forward, path, std::strlen(path) + 1);
      (record ? settings.RecordOrigin : settings.ForwardOrigin) = place.Origin;
    } else if (!unset.empty()) {
      path[0] = '\0';
      TFixedText text(path, sizeof(path));
      text << "names " << unset << ", which is not set";
      ValueProblem(settings, place, key, value, text.View());
    } else {
      ValueProblem(settings, place, key, value, "is too long");
    }
  }
}

void ReadFile(const TBoardSettingsSources& sources, TBoardSettings& settings) {
  constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
  std::string_view rest = sources.FileText;
  if (rest.substr(0, ByteOrderMark.size()) == ByteOrderMark) rest.remove_prefix(ByteOrderMark.size());
  bool inSection = true;  // lines before any section count as the virtual board's
  for (int line = 1; !rest.empty(); ++line) {
    const size_t end = rest.find('\n');
    const std::string_view text = Trim(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (text.empty() || text[0] == ';' || text[0] == '#') continue;
    const TPlace place{TSettingOrigin::File, line, nullptr};
    TFixedText problems(settings.Problems, sizeof(settings.Problems));
    if (text[0] == '[') {
      inSection = text.back() == ']' && SameIgnoringCase(Trim(From(text, 1).substr(0, text.size() - 2)), SectionName);
      if (!inSection)
        problems.NextLine() << BoardSettingsFile << " line " << line << ": " << text.substr(0, Utf8Prefix(text, 60))
                            << " is not the section [virtual board]; the lines under it are not read";
      continue;
    }
    if (!inSection) continue;
    const size_t equals = text.find('=');
    const std::string_view key = Trim(text.substr(0, equals));
    const std::string_view* known = nullptr;
    for (const std::string_view& name : Keys)
      if (SameIgnoringCase(key, name)) known = &name;
    if (equals == std::string_view::npos || known == nullptr) {
      problems.NextLine() << BoardSettingsFile << " line " << line << ": ";
      problems.Quoted(text)
          << " is not a setting of the virtual board (boards, window, record, forward, pace or unplug = ...)";
      continue;
    }
    ApplyValue(sources, settings, place, *known, Trim(From(text, equals + 1)));
  }
}

}  // namespace

bool ParseCardAddresses(std::string_view text, uint8_t& addresses) {
  if (SameIgnoringCase(text, "none")) {
    addresses = 0;
    return true;
  }
  uint8_t listed = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '3') listed = static_cast<uint8_t>(listed | 1u << (c - '0'));
    else if (c != ',' && c != ';' && c != ' ' && c != '\t') return false;
  }
  if (listed == 0) return false;
  addresses = listed;
  return true;
}

bool ParseUnplugTimes(std::string_view text, TUnplugTimes (&times)[CardAddressCount], TFixedText& why) {
  TUnplugTimes read[CardAddressCount] = {};
  bool any = SameIgnoringCase(text, "none");
  for (std::string_view rest = any ? std::string_view() : text; !rest.empty();) {
    const size_t end = rest.find_first_of(",; \t");
    const std::string_view whole = rest.substr(0, end);
    std::string_view item = whole;
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (item.empty()) continue;
    if (item.size() >= 3 && item[0] >= '4' && item[0] <= '9' && item[1] == '@') {
      why << ": card addresses are 0 ... 3";
      return false;
    }
    if (item.size() < 3 || item[0] < '0' || item[0] > '3' || item[1] != '@') return false;
    TUnplugTimes& board = read[item[0] - '0'];
    item.remove_prefix(2);
    const size_t dash = item.find('-');
    const std::string_view back = dash == std::string_view::npos ? std::string_view() : From(item, dash + 1);
    if (!ParseWhole(item.substr(0, dash), UINT32_MAX, board.At)) return false;
    if (board.At == 0) {
      why << ": calls count from 1, such as " << whole.substr(0, 2) << "1";
      return false;
    }
    any = true;
    if (dash == std::string_view::npos) continue;
    if (!ParseWhole(back, UINT32_MAX, board.Back)) return false;
    if (board.Back <= board.At) {
      // The plug-in must come after the unplugging.
      why << ": the plug-in call after - must be later than the unplug call, such as "
          << whole.substr(0, 2) << static_cast<int64_t>(board.At) << "-" << static_cast<int64_t>(board.At) * 2;
      return false;
    }
  }
  if (!any) return false;
  for (int address = 0; address < CardAddressCount; ++address) times[address] = read[address];
  return true;
}

void AddSettingsProblem(TBoardSettings& settings, std::string_view problem) {
  TFixedText(settings.Problems, sizeof(settings.Problems)).NextLine() << problem;
}

void ReadBoardSettings(const TBoardSettingsSources& sources, TBoardSettings& settings) {
  if (sources.FileFound) ReadFile(sources, settings);
  const struct {
    const char* Value;
    const char* Variable;
    std::string_view Key;
  } variables[] = {{sources.Boards, BoardsVariable, BoardsKey},
                   {sources.Window, WindowVariable, WindowKey},
                   {sources.Record, RecordVariable, RecordKey},
                   {sources.Forward, ForwardVariable, ForwardKey},
                   {sources.Pace, PaceVariable, PaceKey},
                   {sources.Unplug, UnplugVariable, UnplugKey}};
  for (const auto& variable : variables)
    if (variable.Value != nullptr)
      ApplyValue(sources, settings, {TSettingOrigin::Environment, 0, variable.Variable}, variable.Key,
                 variable.Key == RecordKey || variable.Key == ForwardKey ? std::string_view(variable.Value)
                                                                          : Trim(variable.Value));
}
