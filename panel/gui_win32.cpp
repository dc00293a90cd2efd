// Windows implementation of the panel's GUI seam: a group box window of the
// module's own class holding a "Static" label and a "ComboBox" drop-down list.
#include "panel/gui.h"

#include <windows.h>

#include "common/allocation.h"
#include "windows/unwind_note_win32.h"
#include "panel/window_dpi_context_win32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr char GroupBoxClass[] = "TarnwellGroupBox";
constexpr int DropDownHeight = 160;  // the opened list, room for all entries
constexpr int CaptionIndent = 8;
// Posted to a group box: lParam, its list, shows the slots' states anew.
constexpr UINT WmRefreshList = WM_APP + 1;

// Window extra bytes of a group box.
constexpr int Ctl3DSlot = 0;
constexpr int ColourSlot = sizeof(LONG_PTR);
constexpr int BusySlot = 2 * sizeof(LONG_PTR);
constexpr int GoneHandlerSlot = 3 * sizeof(LONG_PTR);  // TGoneHandler, null once Destroy takes over
constexpr int GoneDetailsSlot = 4 * sizeof(LONG_PTR);
constexpr int CountedSlot = 5 * sizeof(LONG_PTR);  // 1 once WM_NCCREATE counted the box
constexpr int GroupBoxExtraBytes = 6 * sizeof(LONG_PTR);

// Group boxes alive in this load of the module, counted where Windows
// creates and destroys them (WM_NCCREATE, WM_NCDESTROY), so that a box
// destroyed during its creation (a host's hook may refuse it) is counted
// right: the class is unregistered when the last one goes.
int LiveGroupBoxes = 0;

// A list's handlers, kept in the list's GWLP_USERDATA.
struct TListBinding {
  TChangeHandler OnChange;
  TChangeHandler OnRefresh;
  TDetails* Details;
};

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
HWND Window(TControl control) { return static_cast<HWND>(control); }
HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

bool OfClass(HWND window, const char* className) {
  char name[32];
  return GetClassNameA(window, name, sizeof(name)) > 0 && lstrcmpiA(name, className) == 0;
}

// The window's rectangle in its parent's client coordinates (screen
// coordinates for a top-level window).
RECT BoundsInParent(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

void ReleaseListBinding(HWND list) {
  if (!OfClass(list, "ComboBox")) return;
  ReleaseMemory(reinterpret_cast<void*>(SetWindowLongPtrA(list, GWLP_USERDATA, 0)));
}

BOOL CALLBACK ReleaseChildBinding(HWND child, LPARAM) {
  ReleaseListBinding(child);
  return TRUE;
}

HBRUSH BackgroundBrush(HWND box) { return GetSysColorBrush(static_cast<int>(GetWindowLongPtrA(box, ColourSlot))); }

void PaintGroupBox(HWND box) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(box, &paint);
  HGDIOBJ oldFont = SelectObject(dc, GuiFont());
  char caption[128];
  const int length = GetWindowTextA(box, caption, sizeof(caption));
  SIZE text = {0, 0};
  GetTextExtentPoint32A(dc, caption, length, &text);
  RECT frame;
  GetClientRect(box, &frame);
  frame.top = text.cy / 2;
  if (GetWindowLongPtrA(box, Ctl3DSlot)) DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  else FrameRect(dc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
  if (length > 0) {
    const int colour = static_cast<int>(GetWindowLongPtrA(box, ColourSlot));
    RECT behind = {CaptionIndent - 2, 0, CaptionIndent + text.cx + 2, text.cy};
    SetBkColor(dc, GetSysColor(colour));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    ExtTextOutA(dc, CaptionIndent, 0, ETO_OPAQUE, &behind, caption, static_cast<UINT>(length), nullptr);
  }
  SelectObject(dc, oldFont);
  EndPaint(box, &paint);
}

bool PointerOver(HWND window) {
  POINT pointer;
  RECT bounds;
  return GetCursorPos(&pointer) && GetWindowRect(window, &bounds) && PtInRect(&bounds, pointer);
}

void SetCursor(TControl groupBox, TCursor cursor);

// Whether box is still the group box of details' panel (a group box
// destroyed meanwhile may have left its handle value to another window).
bool IsGroupBoxOf(HWND box, TDetails* details) {
  return ::IsWindow(box) && OfClass(box, GroupBoxClass) &&
         reinterpret_cast<TDetails*>(GetWindowLongPtrA(box, GoneDetailsSlot)) == details;
}

// A structured exception raised in the change handler (by the vendor
// library's OpenDevice, as a library written in Delphi raises) passes the
// module's frames without running anything in them: the module has no C++
// exceptions, and their unwinding is not SEH anyway. The group box's cursor
// is put back when such an exception unwinds past the handler; the
// exception travels on unchanged.
struct TChangeRun {
  HWND GroupBox;
  const TListBinding* Binding;
};

void RunChangeHandler(HWND box, const TListBinding& binding) {
  TChangeRun change{box, &binding};
  RunNotingUnwind(
      [](void* context) {
        const TListBinding& run = *static_cast<TChangeRun*>(context)->Binding;
        run.OnChange(run.Details);
      },
      [](void* context, DWORD) {
        const auto& run = *static_cast<TChangeRun*>(context);
        if (IsGroupBoxOf(run.GroupBox, run.Binding->Details)) SetCursor(run.GroupBox, TCursor::Default);
      },
      &change);
}

// The handlers of list, a child of box; null for any other window (a
// message posted before the list went may arrive after it).
const TListBinding* BindingOf(HWND box, LPARAM list) {
  HWND window = reinterpret_cast<HWND>(list);
  if (GetParent(window) != box || !OfClass(window, "ComboBox")) return nullptr;
  return reinterpret_cast<const TListBinding*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(box, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush(box));
      return 1;
    }
    case WM_PAINT:
      PaintGroupBox(box);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(box, message, wParam, lParam);
      InvalidateRect(box, nullptr, TRUE);
      return result;
    }
    case WM_CTLCOLORSTATIC:
      if (!OfClass(reinterpret_cast<HWND>(lParam), "Static")) break;
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(static_cast<int>(GetWindowLongPtrA(box, ColourSlot))));
      return reinterpret_cast<LRESULT>(BackgroundBrush(box));
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_SELCHANGE && lParam != 0) {
        if (const TListBinding* binding = BindingOf(box, lParam)) RunChangeHandler(box, *binding);
        return 0;
      }
      if (HIWORD(wParam) == CBN_DROPDOWN && lParam != 0) {
        if (const TListBinding* binding = BindingOf(box, lParam)) binding->OnRefresh(binding->Details);
        return 0;
      }
      break;
    case WmRefreshList:
      if (const TListBinding* binding = BindingOf(box, lParam)) binding->OnRefresh(binding->Details);
      return 0;
    case WM_SETCURSOR:
      // Children ask their parent first, so the hourglass covers them too.
      if (GetWindowLongPtrA(box, BusySlot)) {
        ::SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_DESTROY:
      EnumChildWindows(box, ReleaseChildBinding, 0);
      break;
    case WM_NCCREATE:
      SetWindowLongPtrA(box, CountedSlot, 1);
      ++LiveGroupBoxes;
      break;
    case WM_NCDESTROY:
      // A box that an earlier load of the module at this address counted
      // may go in this one: the count never goes below 0.
      if (GetWindowLongPtrA(box, CountedSlot) && LiveGroupBoxes > 0) --LiveGroupBoxes;
      if (auto onGone = reinterpret_cast<TGoneHandler>(GetWindowLongPtrA(box, GoneHandlerSlot)))
        onGone(reinterpret_cast<TDetails*>(GetWindowLongPtrA(box, GoneDetailsSlot)));
      break;
  }
  return DefWindowProcA(box, message, wParam, lParam);
}

// Whether the class registered for the module's instance is this load's:
// its window procedure and window extra bytes.
bool IsOwnRegistration() {
  WNDCLASSEXA registered = {};
  registered.cbSize = sizeof(registered);
  return GetClassInfoExA(ModuleInstance(), GroupBoxClass, &registered) && registered.lpfnWndProc == GroupBoxProc &&
         registered.cbWndExtra == GroupBoxExtraBytes;
}

// Registers the group box class for this load of the module. A class of
// the same name and instance left by an earlier load of the module (which
// may have been at another address) is replaced, so no stale window
// procedure is used. One that cannot be replaced, since windows of it are
// left (an earlier load at this address, freed with its panel shown), is
// used as it is when its window procedure is this load's.
bool RegisterGroupBoxClass() {
  if (LiveGroupBoxes > 0) return true;
  UnregisterClassA(GroupBoxClass, ModuleInstance());
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = GroupBoxProc;
  windowClass.cbWndExtra = GroupBoxExtraBytes;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = GroupBoxClass;
  return RegisterClassExA(&windowClass) != 0 || IsOwnRegistration();
}

bool IsWindowHandle(uintptr_t handle) { return handle != 0 && ::IsWindow(reinterpret_cast<HWND>(handle)); }

// Hidden and parentless until PlaceInWindow makes it a child of
// hostWindow. Made under hostWindow's DPI awareness context, so that
// Windows lets the two join; its label and list, made as its children,
// share it. The thread's own context is back right after.
TControl CreateGroupBox(uintptr_t hostWindow, TGoneHandler onGone, TDetails* details) {
  if (!RegisterGroupBoxClass()) return nullptr;
  HWND box;
  {
    TWindowDpiContext hostContext(reinterpret_cast<HWND>(hostWindow));
    box = CreateWindowExA(WS_EX_CONTROLPARENT, GroupBoxClass, "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                          nullptr, ModuleInstance(), nullptr);
  }
  if (box == nullptr) {
    if (LiveGroupBoxes == 0) UnregisterClassA(GroupBoxClass, ModuleInstance());
    return nullptr;
  }
  SetWindowLongPtrA(box, ColourSlot, COLOR_BTNFACE);
  SetWindowLongPtrA(box, GoneHandlerSlot, reinterpret_cast<LONG_PTR>(onGone));
  SetWindowLongPtrA(box, GoneDetailsSlot, reinterpret_cast<LONG_PTR>(details));
  return box;
}

HWND CreateChild(const char* className, DWORD style, int height, TControl owner) {
  HWND child = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, height, Window(owner),
                               nullptr, ModuleInstance(), nullptr);
  if (child != nullptr) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  return child;
}

TControl CreateLabel(TControl owner) { return CreateChild("Static", SS_LEFT | SS_NOPREFIX, 0, owner); }

TControl CreateDropDownList(TControl owner, TChangeHandler onChange, TChangeHandler onRefresh, TDetails* details) {
  auto* binding = static_cast<TListBinding*>(AllocateMemory(sizeof(TListBinding)));
  if (binding == nullptr) return nullptr;
  *binding = TListBinding{onChange, onRefresh, details};
  HWND list = CreateChild("ComboBox", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, DropDownHeight, owner);
  if (list == nullptr) {
    ReleaseMemory(binding);
    return nullptr;
  }
  SetWindowLongPtrA(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(binding));
  return list;
}

void Destroy(TControl control) {
  HWND window = Window(control);
  if (!::IsWindow(window)) return;
  const bool groupBox = OfClass(window, GroupBoxClass);
  // The module forgets the panel itself; the group box must not call back
  // into details, which may be freed next.
  if (groupBox) SetWindowLongPtrA(window, GoneHandlerSlot, 0);
  ReleaseListBinding(window);
  DestroyWindow(window);
  if (groupBox && LiveGroupBoxes == 0) UnregisterClassA(GroupBoxClass, ModuleInstance());
}

// A drop-down list's own height is that of its opened list.
int OwnHeight(HWND window) {
  RECT bounds;
  if (OfClass(window, "ComboBox") && SendMessageA(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&bounds)))
    return bounds.bottom - bounds.top;
  GetWindowRect(window, &bounds);
  return bounds.bottom - bounds.top;
}

void SetBounds(TControl control, int32_t left, int32_t top, int32_t width, int32_t height) {
  HWND window = Window(control);
  const RECT bounds = BoundsInParent(window);
  if (width == KeepSize) width = bounds.right - bounds.left;
  if (height == KeepSize) height = OwnHeight(window);
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitToText(HWND label) {
  char text[256];
  const int length = GetWindowTextA(label, text, sizeof(text));
  HDC dc = GetDC(label);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
  RECT fitted = {0, 0, 0, 0};
  DrawTextA(dc, text, length, &fitted, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  ReleaseDC(label, dc);
  SetWindowPos(label, nullptr, 0, 0, fitted.right, fitted.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A label's GWLP_USERDATA is 1 while it sizes itself to its text.
void SetAutoSize(TControl label, bool on) {
  SetWindowLongPtrA(Window(label), GWLP_USERDATA, on ? 1 : 0);
  if (on) FitToText(Window(label));
}

void SetCaption(TControl control, const char* caption) {
  HWND window = Window(control);
  SetWindowTextA(window, caption);
  if (OfClass(window, "Static") && GetWindowLongPtrA(window, GWLP_USERDATA)) FitToText(window);
}

void SetCtl3D(TControl groupBox, bool on) {
  SetWindowLongPtrA(Window(groupBox), Ctl3DSlot, on ? 1 : 0);
  InvalidateRect(Window(groupBox), nullptr, TRUE);
}

void SetSystemColour(TControl groupBox, int32_t index) {
  SetWindowLongPtrA(Window(groupBox), ColourSlot, index);
  InvalidateRect(Window(groupBox), nullptr, TRUE);
}

void PlaceInControl(TControl control, TControl parent) {
  if (GetParent(Window(control)) != Window(parent)) SetParent(Window(control), Window(parent));
}

// The parent's keyboard cues (focus rectangles, access key underlines)
// hidden or shown in the child and its children alike, as SetParent asks:
// the messages that later show or hide them stop at a window that has the
// state already, so a child that differs from its parent would keep its own.
void TakeKeyboardCues(HWND child, HWND parent) {
  constexpr WORD Cues = UISF_HIDEFOCUS | UISF_HIDEACCEL;
  const WORD hidden = static_cast<WORD>(SendMessageA(parent, WM_QUERYUISTATE, 0, 0) & Cues);
  const WORD shown = static_cast<WORD>(Cues & ~hidden);
  if (hidden != 0) SendMessageA(child, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, hidden), 0);
  if (shown != 0) SendMessageA(child, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, shown), 0);
}

// SetParent alone leaves a top-level style: the window becomes WS_CHILD
// first, keeps its position, now relative to the new parent, and shows.
// SetParent fails where Windows refuses the parent (Windows 10's default
// DPI hosting behaviour: a window of another DPI awareness context); the
// window stays hidden then, for the caller to destroy.
bool PlaceInWindow(TControl control, uintptr_t window) {
  HWND child = Window(control);
  const RECT bounds = BoundsInParent(child);
  const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  SetWindowLongPtrA(child, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
  if (SetParent(child, reinterpret_cast<HWND>(window)) == nullptr) return false;
  TakeKeyboardCues(child, reinterpret_cast<HWND>(window));
  SetWindowPos(child, HWND_TOP, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
               SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return true;
}

void ClearList(TControl list) { SendMessageA(Window(list), CB_RESETCONTENT, 0, 0); }

void AddListEntry(TControl list, const char* text, int32_t value) {
  const LRESULT index = SendMessageA(Window(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (index >= 0) SendMessageA(Window(list), CB_SETITEMDATA, static_cast<WPARAM>(index), value);
}

int32_t ListCount(TControl list) { return static_cast<int32_t>(SendMessageA(Window(list), CB_GETCOUNT, 0, 0)); }

int32_t SelectedIndex(TControl list) { return static_cast<int32_t>(SendMessageA(Window(list), CB_GETCURSEL, 0, 0)); }

void Select(TControl list, int32_t index) { SendMessageA(Window(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int32_t ItemValue(TControl list, int32_t index) {
  return static_cast<int32_t>(SendMessageA(Window(list), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

// A group box of this load of the module (not of another load of it in
// the process, which has slots of its own) gets its list's refresh posted,
// so that the list is touched only by the thread that runs it.
BOOL CALLBACK RefreshIfPanel(HWND window, LPARAM) {
  if (!OfClass(window, GroupBoxClass) ||
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) != ModuleInstance())
    return TRUE;
  if (HWND list = FindWindowExA(window, nullptr, "ComboBox", nullptr))
    PostMessageA(window, WmRefreshList, 0, reinterpret_cast<LPARAM>(list));
  return TRUE;
}

// The panels are in host windows of any thread of this process, at any
// depth, or still at the top level while they are being made: every
// window of the process's top-level ones is looked at. No module state is
// shared with the threads that show and hide panels, and nothing waits
// for them.
BOOL CALLBACK RefreshPanelsOf(HWND topLevel, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(topLevel, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  RefreshIfPanel(topLevel, 0);
  EnumChildWindows(topLevel, RefreshIfPanel, 0);
  return TRUE;
}

void RequestRefreshAll() { EnumWindows(RefreshPanelsOf, 0); }

// Shown at once when the pointer is over the group box; afterwards kept by
// the group box's WM_SETCURSOR.
void SetCursor(TControl groupBox, TCursor cursor) {
  const bool busy = cursor == TCursor::Hourglass;
  SetWindowLongPtrA(Window(groupBox), BusySlot, busy ? 1 : 0);
  if (PointerOver(Window(groupBox))) ::SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace

extern const TGui PlatformGui = {
    .IsWindow = IsWindowHandle,
    .CreateGroupBox = CreateGroupBox,
    .CreateLabel = CreateLabel,
    .CreateDropDownList = CreateDropDownList,
    .Destroy = Destroy,
    .SetBounds = SetBounds,
    .SetCaption = SetCaption,
    .SetCtl3D = SetCtl3D,
    .SetSystemColour = SetSystemColour,
    .SetAutoSize = SetAutoSize,
    .PlaceInControl = PlaceInControl,
    .PlaceInWindow = PlaceInWindow,
    .ClearList = ClearList,
    .AddListEntry = AddListEntry,
    .ListCount = ListCount,
    .SelectedIndex = SelectedIndex,
    .Select = Select,
    .ItemValue = ItemValue,
    .RequestRefreshAll = RequestRefreshAll,
    .SetCursor = SetCursor,
};
