// The four cards' states as the module's settings panel lists them. Showing
// the panel tries every card address that was not tried yet, as it does in
// a host; the panel lives in a hidden host window only while it is read.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "test_host/session/card_states.h"
#include "test_host/session/module_api_win32.h"

// Returns the exit status: ExitNoDisplay when no window can be made,
// ExitUnusable when the module shows no panel or its list is not the five
// entries "(none)" and card addresses 0 ... 3; error set unless ExitDone.
int ReadPanelCardStates(const TModuleApi& api, TOutputInstance* instance, std::vector<TCardRow>& rows,
                        std::string& error);

// The card list of the panel shown in window, or null.
HWND FindPanelCardList(HWND window);
// False (error set) when the list is not the five entries "(none)" and card
// addresses 0 ... 3.
bool ReadPanelCardList(HWND combo, std::vector<TCardRow>& rows, std::string& error);
