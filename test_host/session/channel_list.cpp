#include "test_host/session/channel_list.h"

#include <string_view>

std::vector<std::string> SplitChannelList(const char* text, int32_t count) {
  std::vector<std::string> names;
  std::string_view rest = text ? text : "";
  while (static_cast<int32_t>(names.size()) < count && !rest.empty()) {
    const size_t bar = rest.find('|');
    names.emplace_back(rest.substr(0, bar));
    rest.remove_prefix(bar == std::string_view::npos ? rest.size() : bar + 1);
  }
  return names;
}
