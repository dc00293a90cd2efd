#include "panel/panel.h"

#include "module/card_slots.h"
#include "panel/card_list.h"
#include "panel/gui.h"

namespace {

// The group box went without the module (a host may destroy its window with
// the panel inside): the three handles are dead, and Windows will give their
// values to other windows, so the instance forgets them at once.
void ForgetPanel(TDetails* details) {
  details->GroupBox = nullptr;
  details->AddressLabel = nullptr;
  details->AddressCombo = nullptr;
}

// Creates the three controls into details, to be placed in parentWindow;
// false if one could not be made (those made so far are left in details for
// HidePanel to remove).
bool BuildControls(TDetails* details, uintptr_t parentWindow) {
  const TGui& gui = PlatformGui;
  TControl box = details->GroupBox = gui.CreateGroupBox(parentWindow, ForgetPanel, details);
  if (box == nullptr) return false;
  gui.SetBounds(box, PanelBounds.Left, PanelBounds.Top, PanelBounds.Width, PanelBounds.Height);
  gui.SetCtl3D(box, true);
  gui.SetSystemColour(box, ButtonFaceColour);
  gui.SetCaption(box, "Velleman K8055D Settings");

  TControl label = details->AddressLabel = gui.CreateLabel(box);
  if (label == nullptr) return false;
  gui.SetAutoSize(label, true);
  gui.SetBounds(label, 8, 20, KeepSize, KeepSize);
  gui.SetCaption(label, "Card address:");
  gui.PlaceInControl(label, box);

  TControl list = details->AddressCombo = gui.CreateDropDownList(box, CardListChange, RefreshCardList, details);
  if (list == nullptr) return false;
  gui.SetBounds(list, 8, 40, 300, KeepSize);
  gui.PlaceInControl(list, box);
  return true;
}

void DestroyControl(void*& control) {
  if (control == nullptr) return;
  PlatformGui.Destroy(control);
  control = nullptr;
}

}  // namespace

void ShowPanel(TOutputInstance* instance, uintptr_t parentWindow) {
  if (instance == nullptr || !PlatformGui.IsWindow(parentWindow)) return;
  TDetails* details = instance->Details;
  HidePanel(instance);
  if (!BuildControls(details, parentWindow) || !PlatformGui.PlaceInWindow(details->GroupBox, parentWindow)) {
    HidePanel(instance);
    return;
  }
  OpenAllCards();
  RefreshCardList(details);
}

void HidePanel(TOutputInstance* instance) {
  if (instance == nullptr) return;
  TDetails* details = instance->Details;
  DestroyControl(details->AddressCombo);
  DestroyControl(details->AddressLabel);
  DestroyControl(details->GroupBox);
}
