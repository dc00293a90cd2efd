#include "test_host/diagnosis/board_settings_report.h"

#include <string_view>

#include "module/module_abi.h"

namespace {

std::string Origin(TSettingOrigin origin, const char* variable) {
  if (origin == TSettingOrigin::File) return std::string(" (") + BoardSettingsFile + ")";
  if (origin == TSettingOrigin::Environment) return std::string(" (") + variable + ")";
  return " (default)";
}

// "no card address answers", "card address 2 answers", "card addresses 0,
// 1 and 3 answer".
std::string Addresses(uint8_t boards) {
  std::string list;
  int count = 0;
  for (int address = 0; address < CardAddressCount; ++address) {
    if ((boards >> address & 1) == 0) continue;
    const bool last = (boards >> (address + 1)) == 0;
    list += (count == 0 ? "" : last ? " and " : ", ") + std::to_string(address);
    ++count;
  }
  if (count == 0) return "no card address answers";
  return count == 1 ? "card address " + list + " answers" : "card addresses " + list + " answer";
}

// "card address 0 unplugged at call 200, plugged in again at call 400; ...",
// or empty when no board is unplugged.
std::string Unplugs(const TUnplugTimes (&times)[CardAddressCount]) {
  std::string text;
  for (int address = 0; address < CardAddressCount; ++address) {
    const TUnplugTimes& board = times[address];
    if (board.At == 0) continue;
    text += text.empty() ? "card address " : "; card address ";
    text += std::to_string(address);
    text += " unplugged at call ";
    text += std::to_string(board.At);
    if (board.Back == 0) continue;
    text += ", plugged in again at call ";
    text += std::to_string(board.Back);
  }
  return text;
}

}  // namespace

std::string DescribeBoardSettings(const TBoardSettings& settings, const std::string& linePrefix) {
  const std::string title = "virtual board: ";
  const std::string indent = linePrefix + std::string(title.size(), ' ');
  const std::string answering =
      settings.Forward[0] != '\0'
          ? std::string("calls go on to ") + settings.Forward + Origin(settings.ForwardOrigin, ForwardVariable) +
                ", the boards answer"
          : Addresses(settings.Boards) + Origin(settings.BoardsOrigin, BoardsVariable);
  std::string text = linePrefix + title + answering + "\n" + indent +
                     (settings.Window ? "a window for each open board" : "no windows") +
                     Origin(settings.WindowOrigin, WindowVariable) + "\n" + indent;
  text += settings.Record[0] == '\0' ? "no call record" : std::string("call record ") + settings.Record;
  text += Origin(settings.RecordOrigin, RecordVariable) + "\n";
  if (settings.Forward[0] == '\0') {
    text += indent + (settings.PaceMs == 0 ? std::string("each command at once")
                                           : "each command takes " + std::to_string(settings.PaceMs) + " ms") +
            Origin(settings.PaceOrigin, PaceVariable) + "\n";
    const std::string unplugs = Unplugs(settings.Unplug);
    if (!unplugs.empty()) text += indent + unplugs + Origin(settings.UnplugOrigin, UnplugVariable) + "\n";
  }
  for (std::string_view rest = settings.Problems; !rest.empty();) {
    const size_t end = rest.find('\n');
    text += linePrefix + "virtual board problem: " + std::string(rest.substr(0, end)) + "\n";
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return text;
}
