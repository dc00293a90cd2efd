// Platform seam for the settings panel: the GUI operations the panel needs.
// One implementation per platform is linked in as PlatformGui.
#pragma once

#include <cstdint>

class TDetails;

using TControl = void*;  // a control of the platform's, or null
using TChangeHandler = void (*)(TDetails* details);
// The group box was destroyed by someone else (with the host's window, for
// example); its label and list went with it.
using TGoneHandler = void (*)(TDetails* details);

enum class TCursor { Default, Hourglass };

// A width or height that keeps the control's own (a label's fitted size, a
// drop-down list's default height).
inline constexpr int32_t KeepSize = -1;
inline constexpr int32_t ButtonFaceColour = 15;  // system colour index

struct TGui {
  bool (*IsWindow)(uintptr_t handle);

  // Creation gives null on failure. The group box has no owner and no
  // parent, and is made to be placed in hostWindow (PlaceInWindow) later; a
  // label or list is destroyed with its owner. onGone(details) runs when
  // the group box is destroyed other than by Destroy.
  TControl (*CreateGroupBox)(uintptr_t hostWindow, TGoneHandler onGone, TDetails* details);
  TControl (*CreateLabel)(TControl owner);
  // A pick-only list; onChange(details) runs when the user picks an entry,
  // never for the module's own clearing, filling or selecting; onRefresh(details)
  // runs as the user opens the list, and after RequestRefreshAll.
  TControl (*CreateDropDownList)(TControl owner, TChangeHandler onChange, TChangeHandler onRefresh,
                                 TDetails* details);
  void (*Destroy)(TControl control);  // removes it from the screen

  // Position and size in pixels relative to the parent.
  void (*SetBounds)(TControl control, int32_t left, int32_t top, int32_t width, int32_t height);
  void (*SetCaption)(TControl control, const char* caption);
  // Group box: three-dimensional border, system colour.
  void (*SetCtl3D)(TControl groupBox, bool on);
  void (*SetSystemColour)(TControl groupBox, int32_t index);
  // Label: fit its size to its caption.
  void (*SetAutoSize)(TControl label, bool on);
  void (*PlaceInControl)(TControl control, TControl parent);
  // Makes a parentless control a child of a foreign window, its keyboard
  // cues shown or hidden as the window's are; false when the system refuses
  // (a window of another DPI awareness context, for one).
  bool (*PlaceInWindow)(TControl control, uintptr_t window);

  // Drop-down list.
  void (*ClearList)(TControl list);
  void (*AddListEntry)(TControl list, const char* text, int32_t value);
  int32_t (*ListCount)(TControl list);
  int32_t (*SelectedIndex)(TControl list);  // -1 when none is selected
  void (*Select)(TControl list, int32_t index);
  int32_t (*ItemValue)(TControl list, int32_t index);
  // Has the onRefresh of every list alive in this load of the module run
  // soon, each on the thread that runs its windows; may be called from any
  // thread, returns at once.
  void (*RequestRefreshAll)();

  // Group box: the mouse cursor over it and its children.
  void (*SetCursor)(TControl groupBox, TCursor cursor);
};

extern const TGui PlatformGui;
