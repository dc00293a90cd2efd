#include "test_host/diagnosis/board_settings_report.h"

#include <string_view>

#include "module/module_abi.h"

std::string SettingOrigin(TSettingOrigin origin, const char* variable) {
  if (origin == TSettingOrigin::File) return BoardSettingsFile;
  if (origin == TSettingOrigin::Environment) return variable;
  return "default";
}

std::string BoardsSettingText(uint8_t boards) {
  std::string list;
  for (int address = 0; address < CardAddressCount; ++address)
    if (boards >> address & 1) {
      if (!list.empty()) list += ',';
      list += std::to_string(address);
    }
  return list.empty() ? "none" : list;
}

std::string UnplugSettingText(int32_t address, const TUnplugTimes& times) {
  std::string text = std::to_string(address) + "@" + std::to_string(times.At);
  return times.Back == 0 ? text : text + "-" + std::to_string(times.Back);
}

namespace {

std::string Origin(TSettingOrigin origin, const char* variable) { return " (" + SettingOrigin(origin, variable) + ")"; }

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

// "card address 0 unplugged at call 200, plugged in again at call 400 ...;
// ...", or empty when no board is unplugged. The calls are counted, so a
// plug-in comes only if the program calls that often.
std::string Unplugs(const TUnplugTimes (&times)[CardAddressCount]) {
  std::string text;
  bool back = false;
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
    back = true;
  }
  if (back)
    text += " (calls to the library from its load on: a plug-in comes only if the program makes that many calls, "
            "and out_tarnwell sends a dropped board nothing more)";
  return text;
}

// The settings that make no difference while the calls go on to the
// vendor's library, as "boards = 0,1 (k8055d.ini), pace = 8 (...)"; empty
// when none is set.
std::string IgnoredWhileWatching(const TBoardSettings& settings) {
  std::string text;
  const auto add = [&text](TSettingOrigin origin, const std::string& setting, const char* variable) {
    if (origin != TSettingOrigin::Default) text += (text.empty() ? "" : ", ") + setting + Origin(origin, variable);
  };
  add(settings.BoardsOrigin, std::string("boards = ") += BoardsSettingText(settings.Boards), BoardsVariable);
  add(settings.PaceOrigin, std::string("pace = ") += std::to_string(settings.PaceMs), PaceVariable);
  std::string unplugs;
  for (int address = 0; address < CardAddressCount; ++address)
    if (settings.Unplug[address].At != 0) {
      if (!unplugs.empty()) unplugs += ',';
      unplugs += UnplugSettingText(address, settings.Unplug[address]);
    }
  add(settings.UnplugOrigin, std::string("unplug = ") += unplugs.empty() ? "none" : unplugs, UnplugVariable);
  return text;
}

}  // namespace

std::string DescribeBoardSettings(const TBoardSettings& settings, bool forwardRefused, const std::string& linePrefix) {
  const std::string title = "virtual board: ";
  const std::string indent = linePrefix + std::string(title.size(), ' ');
  const bool forwards = settings.Forward[0] != '\0';
  const std::string forward = settings.Forward + Origin(settings.ForwardOrigin, ForwardVariable);
  const std::string answering =
      !forwards        ? Addresses(settings.Boards) + Origin(settings.BoardsOrigin, BoardsVariable)
      : forwardRefused ? "refuses the library that forward names, " + forward +
                             ": no call goes on to it and no board answers (the reason below)"
                       : "calls go on to " + forward +
                             "; which boards answer is that library's to say (tarnwell_host cards tries them)";
  std::string text = linePrefix + title + answering + "\n" + indent +
                     (settings.Window ? "a window for each open board" : "no windows") +
                     Origin(settings.WindowOrigin, WindowVariable) + "\n" + indent;
  text += settings.Record[0] == '\0' ? "no call record" : std::string("call record ") + settings.Record;
  text += Origin(settings.RecordOrigin, RecordVariable) + "\n";
  if (!forwards) {
    text += indent + (settings.PaceMs == 0 ? std::string("each command at once")
                                           : "each command takes " + std::to_string(settings.PaceMs) + " ms") +
            Origin(settings.PaceOrigin, PaceVariable) + "\n";
    const std::string unplugs = Unplugs(settings.Unplug);
    if (!unplugs.empty()) text += indent + unplugs + Origin(settings.UnplugOrigin, UnplugVariable) + "\n";
  } else if (const std::string ignored = IgnoredWhileWatching(settings); !ignored.empty()) {
    text += indent + "ignored while forward is set, since the vendor's library and your real boards answer, at "
                     "their own pace, unplugged only by hand: " + ignored + "\n";
  }
  for (std::string_view rest = settings.Problems; !rest.empty();) {
    const size_t end = rest.find('\n');
    text += linePrefix + "virtual board problem: " + std::string(rest.substr(0, end)) + "\n";
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return text;
}
