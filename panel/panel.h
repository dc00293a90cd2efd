// The settings panel: show embeds it in a host window, hide removes it.
#pragma once

#include <cstdint>

#include "../module/instance.h"

void ShowPanel(TOutputInstance* instance, uintptr_t parentWindow);
void HidePanel(TOutputInstance* instance);
