#include "virtual_board/board_window.h"

#include <windows.h>

#include "module/module_abi.h"
#include "virtual_board/board_plugs_win32.h"
#include "virtual_board/board_settings_win32.h"
#include "virtual_board/board_window_paint.h"
#include "virtual_board/fixed_text.h"
#include "windows/monitor_work_area_win32.h"
#include "windows/window_dpi_win32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr char ControllerClass[] = "VirtualK8055Controller";
// Unicode windows, so that a title outside the ANSI code page shows whole.
constexpr wchar_t BoardClass[] = L"VirtualK8055Board";
constexpr UINT WmShowBoard = WM_APP + 1;   // to the controller; wParam the address, lParam a TShowBoard, result the window
constexpr UINT WmBoardState = WM_APP + 2;  // to a board window; lParam the packed state
constexpr UINT WmCloseBoard = WM_APP + 3;  // to a board window
constexpr UINT WmEnd = WM_APP + 4;         // to the controller: no board is left
constexpr int AddressIndex = 0;            // window extra bytes: the card address,
constexpr int StateIndex = 4;              // the packed state,
constexpr int LayoutIndex = 8;             // and the window's own TBoardWindow
constexpr int WindowExtraBytes = LayoutIndex + sizeof(LONG_PTR);
constexpr DWORD BoardStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, BoardExtendedStyle = WS_EX_TOPMOST;

constexpr int PlugButtonId = 1;

struct TShowBoard {
  const wchar_t* Title;
  const char* Problems;  // what the settings could not read, which the window shows too
  bool Pluggable;
};

// What a window draws, laid out for its DPI in a font made for it.
struct TBoardWindow {
  TBoardLayout Layout;
  char Problems[SettingsTextSize];
  HFONT Font;
  HWND PlugButton;     // a pluggable board's
  TPlugStatus Status;  // the plug's status shown now
};

// The host's side, touched only by the board's entry points.
HWND Controller = nullptr;  // the window thread's message-only window while it runs
HWND Windows[CardAddressCount];
int OpenWindows = 0;

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// The window's own, made with it; null until CreateBoardWindow has set it.
TBoardWindow* BoardOf(HWND window) { return reinterpret_cast<TBoardWindow*>(GetWindowLongPtrW(window, LayoutIndex)); }

uint32_t StateOf(HWND window) { return static_cast<uint32_t>(GetWindowLongA(window, StateIndex)); }

// The plug's status for the window's board: whether it is out now, and
// what its board's state says.
TPlugStatus PlugStatusNow(HWND window, const TBoardWindow& board) {
  if (!board.Layout.Pluggable) return TPlugStatus::None;
  const uint32_t state = StateOf(window);
  return PlugStatusOf(IsPulledOut(GetWindowLongA(window, AddressIndex)), state & DroppedBit,
                      state & ConnectionLostBit);
}

// The status's lines and the button's caption follow the plug.
void FollowPlug(HWND window, TBoardWindow& board) {
  const TPlugStatus status = PlugStatusNow(window, board);
  if (status == board.Status) return;
  board.Status = status;
  LayOutPlugStatus(status, board.Layout, board.Font);
  if (board.PlugButton != nullptr) SetWindowTextA(board.PlugButton, PlugButtonText(status));
}

void PaintBoardOf(HWND window, HDC dc, const TBoardWindow& board) {
  PaintBoard(dc, board.Layout, GetWindowLongA(window, AddressIndex), StateOf(window), board.Font, board.Status);
}

void PaintBuffered(HWND window, const TBoardWindow& board) {
  const TBoardLayout& layout = board.Layout;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, layout.Client.cx, layout.Client.cy);
  HGDIOBJ old = SelectObject(buffer, bitmap);
  PaintBoardOf(window, buffer, board);
  BitBlt(dc, 0, 0, layout.Client.cx, layout.Client.cy, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(bitmap);
  DeleteDC(buffer);
  EndPaint(window, &paint);
}

// Lays board out for dpi in a font made for it, within the height of the
// work area of window's monitor (the primary's before it is made);
// returns the window's size for it.
SIZE LayOutAt(HWND window, TBoardWindow& board, UINT dpi) {
  HFONT font = GuiFontForDpi(dpi);
  RECT frame{0, 0, 0, 0};
  AdjustFrameForDpi(frame, BoardStyle, BoardExtendedStyle, dpi);
  const RECT work = MonitorWorkArea(window);
  LayOutBoard(board.Problems, board.Layout.Pluggable, (work.bottom - work.top) - (frame.bottom - frame.top),
              board.Layout, font, board.Status);
  ReleaseGuiFont(board.Font);
  board.Font = font;
  frame = RECT{0, 0, board.Layout.Client.cx, board.Layout.Client.cy};
  AdjustFrameForDpi(frame, BoardStyle, BoardExtendedStyle, dpi);
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

// The button of a pluggable board at its layout's place, in its font.
void PlaceButton(const TBoardWindow& board) {
  if (board.PlugButton == nullptr) return;
  const RECT& button = board.Layout.PlugButton;
  SendMessageW(board.PlugButton, WM_SETFONT, reinterpret_cast<WPARAM>(board.Font), FALSE);
  SetWindowPos(board.PlugButton, nullptr, button.left, button.top, button.right - button.left,
               button.bottom - button.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Gives the window its place and the size of its layout.
void PlaceLaidOut(HWND window, const TBoardWindow& board, POINT place, SIZE size) {
  SetWindowPos(window, nullptr, place.x, place.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  KeepClientSize(window, board.Layout.Client.cx, board.Layout.Client.cy);
  PlaceButton(board);
}

// The user pulls the board out or plugs it back in. Its outputs go off:
// a board out has no power, and one plugged back in starts with all off.
void TogglePlug(HWND window, TBoardWindow& board) {
  const int32_t address = GetWindowLongA(window, AddressIndex);
  uint32_t state = StateOf(window) & ~OutputBits;
  if (IsPulledOut(address)) {
    PlugBackIn(address);
    if (!(state & DroppedBit)) state |= ConnectionLostBit;  // the library still holds the dead connection
  } else {
    PullOut(address);
  }
  SetWindowLongA(window, StateIndex, static_cast<LONG>(state));
  FollowPlug(window, board);
  InvalidateRect(window, nullptr, FALSE);
}

// Moved to a monitor of another scaling: the window takes the rectangle
// Windows suggests, as WM_DPICHANGED asks (a size of its own could put it
// back on the old monitor), and is laid out again for dpi within that
// monitor's work area, its client area then made the layout's.
void FollowDpiChange(HWND window, TBoardWindow& board, UINT dpi, const RECT& suggested) {
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutAt(window, board, dpi);
  KeepClientSize(window, board.Layout.Client.cx, board.Layout.Client.cy);
  PlaceButton(board);
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK BoardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TBoardWindow* board = BoardOf(window);
  switch (message) {
    case WmBoardState:
      SetWindowLongA(window, StateIndex, static_cast<LONG>(lParam));
      if (board != nullptr) FollowPlug(window, *board);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_COMMAND:
      if (board != nullptr && LOWORD(wParam) == PlugButtonId && HIWORD(wParam) == BN_CLICKED) {
        TogglePlug(window, *board);
        return 0;
      }
      break;
    case WmCloseBoard:
      DestroyWindow(window);
      return 0;
    case WM_CLOSE:  // the window goes with its board; minimizing puts it aside
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (board == nullptr) break;
      PaintBuffered(window, *board);
      return 0;
    case WM_PRINTCLIENT:  // a picture of the window, as for a screenshot
      if (board == nullptr) break;
      PaintBoardOf(window, reinterpret_cast<HDC>(wParam), *board);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(board != nullptr ? board->Font : BoardFont());
    case WM_DPICHANGED:
      if (board == nullptr) break;
      FollowDpiChange(window, *board, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WmQueryBoardLayout:
      if (board == nullptr) return 0;
      *reinterpret_cast<TBoardLayout*>(lParam) = board->Layout;
      return 1;
    case WM_NCDESTROY:
      if (board != nullptr) {
        ReleaseGuiFont(board->Font);
        HeapFree(GetProcessHeap(), 0, board);
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The windows stay on top, as an instrument display does, so that a click
// in the host's window hides none; a window can be minimized, not closed.
// They tile two by two from the bottom right of the work area, boards 0 and
// 1 at the bottom, where they cover least of the windows the user works in;
// on a screen too small for the tiles they stay inside the work area,
// overlapping.
POINT BoardWindowPlace(HWND window, int32_t address, int width, int height) {
  const RECT work = MonitorWorkArea(window);
  const int left = work.right - (2 - address % 2) * width, top = work.bottom - (1 + address / 2) * height;
  return POINT{left > work.left ? left : work.left, top > work.top ? top : work.top};
}

// A window of its own layout, which grows with the problems it shows but
// stays within the work area's height: laid out at the system's DPI, and
// again at its own where it follows its monitor's.
HWND CreateBoardWindow(int32_t address, const TShowBoard& show) {
  auto* board = static_cast<TBoardWindow*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(TBoardWindow)));
  if (board == nullptr) return nullptr;
  lstrcpynA(board->Problems, show.Problems != nullptr ? show.Problems : "", SettingsTextSize);
  board->Layout.Pluggable = show.Pluggable;
  board->Status = show.Pluggable ? PlugStatusOf(IsPulledOut(address), false, false) : TPlugStatus::None;
  const UINT systemDpi = SystemDpi();
  const SIZE size = LayOutAt(nullptr, *board, systemDpi);
  const POINT place = BoardWindowPlace(nullptr, address, size.cx, size.cy);
  HWND window = CreateWindowExW(BoardExtendedStyle, BoardClass, show.Title, BoardStyle, place.x, place.y, size.cx,
                                size.cy, nullptr, nullptr, ThisModule(), nullptr);
  if (window == nullptr) {
    ReleaseGuiFont(board->Font);
    HeapFree(GetProcessHeap(), 0, board);
    return nullptr;
  }
  SetWindowLongPtrW(window, LayoutIndex, reinterpret_cast<LONG_PTR>(board));
  SetWindowLongA(window, AddressIndex, address);
  if (show.Pluggable)
    board->PlugButton = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                        0, 0, window, reinterpret_cast<HMENU>(PlugButtonId), ThisModule(), nullptr);
  if (board->PlugButton != nullptr) SetWindowTextA(board->PlugButton, PlugButtonText(board->Status));
  const UINT dpi = WindowDpi(window);
  if (dpi != systemDpi) {
    const SIZE scaled = LayOutAt(window, *board, dpi);
    PlaceLaidOut(window, *board, BoardWindowPlace(window, address, scaled.cx, scaled.cy), scaled);
  } else {
    PlaceLaidOut(window, *board, place, size);
  }
  EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  return window;
}

LRESULT CALLBACK ControllerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WmShowBoard)
    return reinterpret_cast<LRESULT>(
        CreateBoardWindow(static_cast<int32_t>(wParam), *reinterpret_cast<const TShowBoard*>(lParam)));
  if (message == WmEnd) {
    DestroyWindow(window);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The window classes are the DLL's, registered while a window thread runs:
// a thread still removing the windows of an ended session and the next
// session's thread may run at once, so the last one to end unregisters
// them. The gate is held for a registration at most.
volatile LONG ClassGate = 0;
int ClassUsers = 0;  // window threads running, under the gate

void TakeClassGate() {
  while (InterlockedCompareExchange(&ClassGate, 1, 0) != 0) Sleep(0);
}

void RegisterClasses() {
  WNDCLASSW board{};
  board.lpfnWndProc = BoardProc;
  board.cbWndExtra = WindowExtraBytes;
  board.hInstance = ThisModule();
  board.hCursor = LoadCursor(nullptr, IDC_ARROW);
  board.lpszClassName = BoardClass;
  RegisterClassW(&board);
  WNDCLASSA controller{};
  controller.lpfnWndProc = ControllerProc;
  controller.hInstance = ThisModule();
  controller.lpszClassName = ControllerClass;
  RegisterClassA(&controller);
}

void UseClasses() {
  TakeClassGate();
  if (ClassUsers++ == 0) RegisterClasses();
  InterlockedExchange(&ClassGate, 0);
}

void LetGoOfClasses() {
  TakeClassGate();
  if (--ClassUsers == 0) {
    UnregisterClassW(BoardClass, ThisModule());
    UnregisterClassA(ControllerClass, ThisModule());
  }
  InterlockedExchange(&ClassGate, 0);
}

struct TThreadStart {
  HMODULE Self;  // the thread's own reference on this DLL
  HANDLE Ready;
  HWND Controller;
};

DWORD WINAPI WindowThread(void* parameter) {
  auto* start = static_cast<TThreadStart*>(parameter);
  HMODULE self = start->Self;
  UseClasses();
  HWND controller =
      CreateWindowExA(0, ControllerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr);
  start->Controller = controller;
  SetEvent(start->Ready);  // start is the starter's, gone after this
  MSG message;
  while (controller != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  LetGoOfClasses();
  FreeLibraryAndExitThread(self, 0);
}

// The window thread removes its windows and ends on its own: removing a
// window can take a while (wine without a window manager waits 2 s for
// each), and no call of the host's waits for it. The thread holds its own
// reference on this DLL, so the host may free it at once.
void EndThread() {
  PostMessageA(Controller, WmEnd, 0, 0);
  Controller = nullptr;
}

bool StartThread() {
  TThreadStart start{nullptr, CreateEventA(nullptr, TRUE, FALSE, nullptr), nullptr};
  if (start.Ready == nullptr ||
      !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&WindowThread),
                          &start.Self)) {
    if (start.Ready != nullptr) CloseHandle(start.Ready);
    return false;
  }
  HANDLE thread = CreateThread(nullptr, 0, WindowThread, &start, 0, nullptr);
  if (thread == nullptr) FreeLibrary(start.Self);
  else WaitForSingleObject(start.Ready, INFINITE);
  if (thread != nullptr) CloseHandle(thread);  // without a window system it ends at once
  CloseHandle(start.Ready);
  Controller = start.Controller;
  return Controller != nullptr;
}

}  // namespace

void ShowBoardWindow(int32_t address, const char* problems, bool pluggable) {
  if (!IsCardAddress(address) || Windows[address] != nullptr) return;
  if (Controller == nullptr && !StartThread()) return;
  // "Virtual K8055, card address 0", and the problems after " - ", "; "
  // between them.
  char text[SettingsTextSize + 64] = "";
  TFixedText title(text, sizeof(text));
  title << "Virtual K8055, card address " << static_cast<int64_t>(address);
  for (std::string_view rest = problems, separator = " - "; !rest.empty(); separator = "; ") {
    const size_t end = rest.find('\n');
    title << separator << rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  wchar_t wide[sizeof(text)];
  WideText(title.View(), wide, sizeof(text));
  const TShowBoard show{wide, problems, pluggable};
  Windows[address] =
      reinterpret_cast<HWND>(SendMessageA(Controller, WmShowBoard, address, reinterpret_cast<LPARAM>(&show)));
  if (Windows[address] != nullptr) ++OpenWindows;
  else if (OpenWindows == 0) EndThread();
}

void UpdateBoardWindow(int32_t address, const TBoardView& view) {
  if (IsCardAddress(address) && Windows[address] != nullptr)
    PostMessageA(Windows[address], WmBoardState, 0,
                 static_cast<LPARAM>(PackBoardState(view.Outputs, view.Dropped, view.ConnectionLost)));
}

void CloseBoardWindow(int32_t address) {
  if (!IsCardAddress(address) || Windows[address] == nullptr) return;
  PostMessageA(Windows[address], WmCloseBoard, 0, 0);
  Windows[address] = nullptr;
  if (--OpenWindows == 0) EndThread();
}
