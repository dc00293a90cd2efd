#include "test_host/diagnosis/no_window_text.h"

std::string NoWindowText(bool underWine, const std::string& windowsError) {
  std::string text = "cannot create a window for the settings panel";
  if (underWine) return text + " (no display? under wine without X, use xvfb-run)";
  return windowsError.empty() ? text : text + " (" + windowsError + ")";
}
