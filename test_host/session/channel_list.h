// The module's channel list text, "name|name|...|", split into its names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// At most count names; a text with fewer entries gives fewer names.
std::vector<std::string> SplitChannelList(const char* text, int32_t count);
