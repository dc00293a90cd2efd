// A fake GUI for native tests: controls are records that keep what the panel
// set on them, and stay inspectable after they are destroyed.
#pragma once

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "panel/gui.h"

namespace fake_gui {

enum class TKind { GroupBox, Label, DropDownList };

struct TEntry {
  std::string Text;
  int32_t Value;
  bool operator==(const TEntry& other) const { return Text == other.Text && Value == other.Value; }
};

struct TFakeControl {
  TKind Kind;
  TFakeControl* Owner = nullptr;
  TFakeControl* Parent = nullptr;
  uintptr_t ParentWindow = 0;  // the foreign window it was placed in
  uintptr_t MadeFor = 0;       // a group box's: the window it was made to be placed in
  bool Alive = true;
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Caption;
  bool Ctl3D = false;
  int32_t Colour = -1;
  bool AutoSize = false;
  std::vector<TEntry> Entries;
  int32_t Selected = -1;
  TChangeHandler OnChange = nullptr;
  TChangeHandler OnRefresh = nullptr;
  int RefreshesRequested = 0;  // RequestRefreshAll calls not yet run
  TGoneHandler OnGone = nullptr;
  TDetails* Details = nullptr;
  TCursor Cursor = TCursor::Default;
};

inline constexpr uintptr_t HostWindow = 0x1234;
inline constexpr int32_t DefaultListHeight = 21;

struct TState {
  std::set<uintptr_t> Windows = {HostWindow};
  std::deque<TFakeControl> Controls;  // every control made, in order
  std::set<TKind> FailingKinds;       // creation of these gives null
  bool RefusesPlacing = false;        // PlaceInWindow fails
  int DoubleDestroys = 0;
};

extern TState State;

void Reset();
TFakeControl& Of(TControl control);
int AliveControls();
// A user's pick: the list selects the entry, then calls its change handler.
void Pick(TControl list, int32_t index);
// The panel's thread takes the refreshes requested of its lists.
void RunRequestedRefreshes();
// The host destroys its window with the group box inside: the box and what
// it owns die, and the box's gone handler runs.
void DestroyWithHostWindow(TControl groupBox);

}  // namespace fake_gui
