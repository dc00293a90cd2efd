#include "test_host/session/panel_card_states_win32.h"

#include <windows.h>

#include "test_host/console/exit_status_win32.h"
#include "test_host/window/host_window_win32.h"
#include "test_host/diagnosis/no_window_error_win32.h"

namespace {

BOOL CALLBACK FindComboBox(HWND window, LPARAM found) {
  char className[32];
  if (GetClassNameA(window, className, sizeof(className)) && lstrcmpiA(className, "ComboBox") == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

std::string EntryText(HWND combo, int position) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, position, 0);
  if (length == CB_ERR) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

HWND FindPanelCardList(HWND window) {
  HWND combo = nullptr;
  EnumChildWindows(window, FindComboBox, reinterpret_cast<LPARAM>(&combo));
  return combo;
}

bool ReadPanelCardList(HWND combo, std::vector<TCardRow>& rows, std::string& error) {
  rows.clear();
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (int position = 1; position < count; ++position) {
    TCardRow row;
    const std::string text = EntryText(combo, position);
    if (!ParseCardEntry(text, row) || row.Address != position - 1) {
      error = "the panel's card list has an entry \"" + text + "\" of an unknown form";
      return false;
    }
    rows.push_back(row);
  }
  if (count != 5) error = "the panel's card list has " + std::to_string(count) + " entries, not 5";
  return count == 5;
}

int ReadPanelCardStates(const TModuleApi& api, TOutputInstance* instance, std::vector<TCardRow>& rows,
                        std::string& error) {
  HWND window = CreateHostWindow("tarnwell_host: cards");
  if (window == nullptr) {
    error = NoWindowError();
    return ExitNoDisplay;
  }
  api.show(instance, window);
  HWND combo = FindPanelCardList(window);
  const bool read = combo != nullptr && ReadPanelCardList(combo, rows, error);
  if (combo == nullptr) error = "the module showed no settings panel, so the cards' states cannot be read";
  api.hide(instance);
  DestroyWindow(window);
  return read ? ExitDone : ExitUnusable;
}
