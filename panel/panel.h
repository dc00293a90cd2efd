// The settings panel: show embeds it in a host window, hide removes it.
#pragma once

#include <cstdint>

#include "module/instance.h"

// Builds the panel as a child of parentWindow, tries every closed card slot
// and fills the card list. A panel already shown is replaced; a handle that
// is not a window is ignored. If a control cannot be made, or the host's
// window will not take the panel, no panel is left.
void ShowPanel(TOutputInstance* instance, uintptr_t parentWindow);
// Destroys the panel's controls, if any. A panel destroyed by someone else
// (with the host's window) has been forgotten already and is not touched.
void HidePanel(TOutputInstance* instance);
