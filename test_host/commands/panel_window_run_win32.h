// A host window in which an instance's settings panel is shown, as panel
// and try run it: until the user closes it or stops the test host with
// Ctrl+C; then the settings text that save gives is printed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "test_host/session/module_api_win32.h"
#include "test_host/session/module_session_win32.h"

struct TPanelWindow {
  TOutputInstance* Instance = nullptr;
  HWND Window = nullptr;
};

// Loads the module, creates an instance, restores settings if given (not
// null), makes a hidden host window titled title, and shows the panel in
// it; Ctrl+C from then on is a stop request. Returns the exit status,
// ExitDone when shown; otherwise sets error.
int ShowPanelWindow(const TLoadPaths& paths, const std::string* settings, const char* title, TModuleSession& session,
                    TPanelWindow& shown, std::string& error);

// Shows window, runs its messages, then hides the panel, destroys the
// window and prints the settings text. Keys go through IsDialogMessage, so
// Tab, Shift+Tab, Space and the arrow keys work among the window's
// controls as in a dialog box, and Esc closes it; once a key is pressed,
// the focus rectangle shows. onWake, when given, runs after the messages
// at every wake and returns how long the loop may sleep before it must run
// again (ms; INFINITE: until a message comes). True when the window was
// closed, false on a stop request.
bool RunPanelWindow(const TModuleApi& api, TOutputInstance* instance, HWND window,
                    const std::function<DWORD()>& onWake = {});
