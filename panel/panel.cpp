#include "panel.h"

void ShowPanel(TOutputInstance*, uintptr_t) {}

void HidePanel(TOutputInstance*) {}
