// Common Controls 6 (visual styles) for the windows a test makes, as the
// test host has them from its manifest: the activation context made from
// tarnwell_host.exe's own manifest (resource 1), active on this thread
// from construction to destruction, so that the controls made meanwhile
// (by the test host's code and by the module's) are those of version 6.
#pragma once

#include <windows.h>

class TVisualStyles {
 public:
  TVisualStyles();
  ~TVisualStyles();

  bool Active() const { return Cookie_ != 0; }
  DWORD Error() const { return Error_; }  // why not active

  // One activation per context, deactivated once.
  TVisualStyles(const TVisualStyles&) = delete;
  TVisualStyles& operator=(const TVisualStyles&) = delete;

 private:
  HANDLE Context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR Cookie_ = 0;
  DWORD Error_ = 0;
};

// Whether control is one of Common Controls 6: its class's window procedure
// lies in comctl32.dll. Buttons, texts and lists are user32's own without
// them, comctl32's with them (version 6 is the first to carry them). Wine's
// comctl32 says 5.81 from DllGetVersion in both roles, so the version
// number cannot tell them apart there.
bool FromCommonControls6(HWND control);
