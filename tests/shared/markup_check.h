// Whether every element a page opens is closed in order (void elements and
// "/>" apart): a page whose markup a browser reads as written. For the
// timeline's tests and its fuzz target.
#pragma once

#include <string>
#include <vector>

inline bool WellNested(const std::string& html, std::string& problem) {
  std::vector<std::string> open;
  for (size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    const size_t end = html.find('>', at);
    if (end == std::string::npos || end == at + 1) return (problem = "unclosed or empty tag"), false;
    const std::string tag = html.substr(at + 1, end - at - 1);
    if (tag[0] == '!' || tag.back() == '/' || tag.rfind("meta", 0) == 0) continue;
    const bool closing = tag[0] == '/';
    const std::string name = tag.substr(closing, tag.find_first_of(" \t\n") - closing);
    if (!closing) {
      open.push_back(name);
    } else if (open.empty() || open.back() != name) {
      return (problem = "</" + name + "> closes <" + (open.empty() ? "" : open.back()) + ">"), false;
    } else {
      open.pop_back();
    }
  }
  if (!open.empty()) problem = "<" + open.back() + "> not closed";
  return open.empty();
}
