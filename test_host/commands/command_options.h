// Options that several commands take, each command with storage of its
// own: the card (set, play, identify, off) and a settings text to restore
// (panel, try). The help lists each once, where a command first names it.
#pragma once

#include "test_host/commands/command_row.h"

// A command's --card: the card number it gives, 1 unless given.
struct TCardChoice {
  bool Given = false;
  int32_t Card = 1;
};

constexpr TOption CardOption(TCardChoice& choice) {
  return {"--card", TOptionKind::Number, &CardNumber, 1, &choice.Given, &choice.Card, nullptr,
          "  --card N          card number 1 ... 4, that is card address 0 ... 3 as set\n"
          "                    by the board's jumpers (default 1)\n"};
}

constexpr TOption SettingsOption(std::string& settings, bool& given) {
  return {"--settings", TOptionKind::Text, nullptr, 0, &given, nullptr, &settings,
          "  --settings TEXT   a settings text to restore first, e.g. 2\n"};
}
