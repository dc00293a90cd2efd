#include "tests/fakes/fake_gui.h"

#include <cstdio>
#include <cstdlib>

#include "tests/fakes/fake_vendor.h"

namespace fake_gui {

TState State;

namespace {

TControl Create(TKind kind, TFakeControl* owner) {
  if (State.FailingKinds.count(kind)) return nullptr;
  TFakeControl& control = State.Controls.emplace_back();
  control.Kind = kind;
  control.Owner = owner;
  return &control;
}

void DestroyWithOwned(TFakeControl& control) {
  control.Alive = false;
  for (TFakeControl& other : State.Controls)
    if (other.Owner == &control && other.Alive) DestroyWithOwned(other);
}

bool IsWindow(uintptr_t handle) { return State.Windows.count(handle) != 0; }
TControl CreateGroupBox(uintptr_t hostWindow, TGoneHandler onGone, TDetails* details) {
  TControl box = Create(TKind::GroupBox, nullptr);
  if (box != nullptr) {
    Of(box).MadeFor = hostWindow;
    Of(box).OnGone = onGone;
    Of(box).Details = details;
  }
  return box;
}
TControl CreateLabel(TControl owner) { return Create(TKind::Label, &Of(owner)); }

TControl CreateDropDownList(TControl owner, TChangeHandler onChange, TChangeHandler onRefresh, TDetails* details) {
  TControl list = Create(TKind::DropDownList, &Of(owner));
  if (list != nullptr) {
    Of(list).OnChange = onChange;
    Of(list).OnRefresh = onRefresh;
    Of(list).Details = details;
    Of(list).Height = DefaultListHeight;
  }
  return list;
}

void Destroy(TControl control) {
  if (!Of(control).Alive) ++State.DoubleDestroys;
  DestroyWithOwned(Of(control));
}

void FitToCaption(TFakeControl& label) {
  label.Width = 6 * static_cast<int32_t>(label.Caption.size());
  label.Height = 13;
}

void SetBounds(TControl control, int32_t left, int32_t top, int32_t width, int32_t height) {
  TFakeControl& c = Of(control);
  c.Left = left;
  c.Top = top;
  if (width != KeepSize) c.Width = width;
  if (height != KeepSize) c.Height = height;
}

void SetCaption(TControl control, const char* caption) {
  Of(control).Caption = caption;
  if (Of(control).AutoSize) FitToCaption(Of(control));
}

void SetCtl3D(TControl control, bool on) { Of(control).Ctl3D = on; }
void SetSystemColour(TControl control, int32_t index) { Of(control).Colour = index; }

void SetAutoSize(TControl control, bool on) {
  Of(control).AutoSize = on;
  if (on) FitToCaption(Of(control));
}

void PlaceInControl(TControl control, TControl parent) { Of(control).Parent = &Of(parent); }
bool PlaceInWindow(TControl control, uintptr_t window) {
  if (State.RefusesPlacing) return false;
  Of(control).ParentWindow = window;
  return true;
}

void ClearList(TControl list) {
  Of(list).Entries.clear();
  Of(list).Selected = -1;
}

void AddListEntry(TControl list, const char* text, int32_t value) { Of(list).Entries.push_back({text, value}); }
int32_t ListCount(TControl list) { return static_cast<int32_t>(Of(list).Entries.size()); }
int32_t SelectedIndex(TControl list) { return Of(list).Selected; }

void Select(TControl list, int32_t index) {
  Of(list).Selected = index >= 0 && index < ListCount(list) ? index : -1;
}

int32_t ItemValue(TControl list, int32_t index) { return Of(list).Entries.at(static_cast<size_t>(index)).Value; }

// Kept for RunRequestedRefreshes, as a posted message waits in the queue.
void RequestRefreshAll() {
  for (TFakeControl& control : State.Controls)
    if (control.Alive && control.Kind == TKind::DropDownList) ++control.RefreshesRequested;
}

// Cursor changes join the vendor's call record, so tests see their order
// around OpenDevice.
void SetCursor(TControl control, TCursor cursor) {
  Of(control).Cursor = cursor;
  fake_vendor::State.Calls.push_back(cursor == TCursor::Hourglass ? "Cursor Hourglass" : "Cursor Default");
}

}  // namespace

void Reset() { State = TState{}; }

TFakeControl& Of(TControl control) {
  if (control == nullptr) {
    std::fputs("fake GUI: the panel used a null control\n", stderr);
    std::abort();
  }
  return *static_cast<TFakeControl*>(control);
}

int AliveControls() {
  int alive = 0;
  for (const TFakeControl& control : State.Controls) alive += control.Alive ? 1 : 0;
  return alive;
}

void Pick(TControl list, int32_t index) {
  Select(list, index);
  Of(list).OnChange(Of(list).Details);
}

void RunRequestedRefreshes() {
  for (TFakeControl& control : State.Controls)
    for (; control.RefreshesRequested > 0; --control.RefreshesRequested)
      if (control.Alive) control.OnRefresh(control.Details);
}

void DestroyWithHostWindow(TControl groupBox) {
  DestroyWithOwned(Of(groupBox));
  Of(groupBox).OnGone(Of(groupBox).Details);
}

}  // namespace fake_gui

extern const TGui PlatformGui = {
    .IsWindow = fake_gui::IsWindow,
    .CreateGroupBox = fake_gui::CreateGroupBox,
    .CreateLabel = fake_gui::CreateLabel,
    .CreateDropDownList = fake_gui::CreateDropDownList,
    .Destroy = fake_gui::Destroy,
    .SetBounds = fake_gui::SetBounds,
    .SetCaption = fake_gui::SetCaption,
    .SetCtl3D = fake_gui::SetCtl3D,
    .SetSystemColour = fake_gui::SetSystemColour,
    .SetAutoSize = fake_gui::SetAutoSize,
    .PlaceInControl = fake_gui::PlaceInControl,
    .PlaceInWindow = fake_gui::PlaceInWindow,
    .ClearList = fake_gui::ClearList,
    .AddListEntry = fake_gui::AddListEntry,
    .ListCount = fake_gui::ListCount,
    .SelectedIndex = fake_gui::SelectedIndex,
    .Select = fake_gui::Select,
    .ItemValue = fake_gui::ItemValue,
    .RequestRefreshAll = fake_gui::RequestRefreshAll,
    .SetCursor = fake_gui::SetCursor,
};
