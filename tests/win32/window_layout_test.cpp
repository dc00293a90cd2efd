// The windows of the test host and of the virtual board at the display
// scaling of the wine prefix this runs in (tests/win32/at_dpi.sh sets it):
// each control's text fits its rectangle in the control's own font, no two
// controls overlap, none leaves its parent's client area, and the windows
// lie inside the screen's work area; the try window and the panel both
// without visual styles and with Common Controls 6. Read back from the
// windows (their texts, fonts and rectangles), not from pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/win32/host_window_in_process.h"
#include "tests/win32/import_patch.h"
#include "tests/win32/temp_folder.h"
#include "tests/win32/visual_styles.h"
#include "virtual_board/board_window_layout.h"

namespace {

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string TextOf(HWND window) {
  char text[512] = "";
  SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  return text;
}

std::string Describe(HWND window) { return ClassOf(window) + " \"" + TextOf(window) + "\""; }

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") - (" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b) != 0;
}

// The window's rectangle in its parent's client area.
RECT InParent(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

RECT WorkArea() {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

// A DC of this process with the font a window uses (in any process: a
// stock font has the same handle everywhere; another would fail here).
class TFontDc {
 public:
  explicit TFontDc(HWND window) : TFontDc(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0))) {}
  explicit TFontDc(HFONT font) : Dc_(CreateCompatibleDC(nullptr)) {
    LOGFONTA logFont{};
    Valid = font != nullptr && GetObjectA(font, sizeof(logFont), &logFont) == sizeof(logFont);
    Font_ = Valid ? CreateFontIndirectA(&logFont) : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    Old_ = SelectObject(Dc_, Font_);
  }
  ~TFontDc() {
    SelectObject(Dc_, Old_);
    if (Valid) DeleteObject(Font_);
    DeleteDC(Dc_);
  }
  TFontDc(const TFontDc&) = delete;
  TFontDc& operator=(const TFontDc&) = delete;

  SIZE Extent(const std::string& text) const {
    SIZE size{0, 0};
    GetTextExtentPoint32A(Dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }
  SIZE Extent(const std::wstring& text) const {
    SIZE size{0, 0};
    GetTextExtentPoint32W(Dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  }
  // text wrapped at width as a static control wraps it.
  SIZE Wrapped(const std::string& text, int width) const {
    RECT bounds{0, 0, width, 0};
    DrawTextA(Dc_, text.c_str(), -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return {bounds.right, bounds.bottom};
  }
  int LineHeight() const {
    TEXTMETRICA metrics{};
    GetTextMetricsA(Dc_, &metrics);
    return metrics.tmHeight;
  }
  HFONT Font() const { return Font_; }
  bool Valid;

 private:
  HDC Dc_;
  HFONT Font_;
  HGDIOBJ Old_;
};

// The display's DPI, as the test's process sees it.
UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return dpi;
}

// GetSystemMetrics(index) as Windows gives it to a window at dpi: after a
// move to a monitor of another scaling GetSystemMetrics still gives the
// system DPI's sizes, GetSystemMetricsForDpi (Windows 10 1607, wine) the
// new one's.
int MetricAt(int index, UINT dpi) {
  using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
  const auto forDpi = reinterpret_cast<TGetSystemMetricsForDpi>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
  EXPECT_NE(forDpi, nullptr) << "no GetSystemMetricsForDpi";
  return forDpi != nullptr ? forDpi(index, dpi) : GetSystemMetrics(index);
}

// A check box draws its box, half a "0" of space, then its text with a
// pixel each side for the focus rectangle; the box as large as the check
// mark at the window's DPI.
void ExpectCheckBoxFits(HWND box, const RECT& client, const TFontDc& font, UINT dpi) {
  const SIZE text = font.Extent(TextOf(box));
  const int room = client.right - MetricAt(SM_CXMENUCHECK, dpi) - font.Extent("0").cx / 2 - 2;
  EXPECT_LE(text.cx, room) << Describe(box) << ": the text is cut";
  EXPECT_LE(std::max<int>(text.cy, MetricAt(SM_CYMENUCHECK, dpi)), client.bottom) << Describe(box);
}

void ExpectStaticFits(HWND label, const RECT& client, const TFontDc& font) {
  const std::string text = TextOf(label);
  if (text.empty()) return;
  const LONG style = GetWindowLongA(label, GWL_STYLE);
  const bool oneLine = (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP || (style & SS_CENTERIMAGE);
  const SIZE needed = oneLine ? font.Extent(text) : font.Wrapped(text, client.right);
  EXPECT_LE(needed.cx, client.right) << Describe(label) << ": the text is cut at the right";
  EXPECT_LE(needed.cy, client.bottom) << Describe(label) << ": the text is cut at the bottom";
}

void ExpectComboFits(HWND combo, const RECT& client, const TFontDc& font) {
  const int items = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < items; ++i) {
    char text[256] = "";
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_LE(font.Extent(text).cx, client.right - GetSystemMetrics(SM_CXVSCROLL) - 4) << "list entry " << text;
  }
  EXPECT_GE(static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)), font.LineHeight());
}

// The thumb and the channel inside the slider, the thumb at least as long
// as a scroll bar at the window's DPI is high, so that it grows with the
// scaling.
void ExpectSliderFits(HWND slider, const RECT& client, UINT dpi) {
  EXPECT_GE(static_cast<int>(SendMessageA(slider, TBM_GETTHUMBLENGTH, 0, 0)), MetricAt(SM_CYHSCROLL, dpi))
      << "slider thumb";
  RECT thumb, channel;
  SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  SendMessageA(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  EXPECT_TRUE(Inside(thumb, client)) << "slider thumb " << Describe(thumb) << " in " << Describe(client);
  EXPECT_TRUE(Inside(channel, client)) << "slider channel " << Describe(channel) << " in " << Describe(client);
}

void ExpectTextFits(HWND control, UINT dpi) {
  RECT client;
  GetClientRect(control, &client);
  const std::string name = ClassOf(control);
  if (name == TRACKBAR_CLASSA) return ExpectSliderFits(control, client, dpi);
  TFontDc font(control);
  if (name != "Static" && name != "Button" && name != "ComboBox") return;
  ASSERT_TRUE(font.Valid) << Describe(control) << ": its font is not a stock font";
  if (name == "Static") ExpectStaticFits(control, client, font);
  if (name == "Button") ExpectCheckBoxFits(control, client, font, dpi);
  if (name == "ComboBox") ExpectComboFits(control, client, font);
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) children.push_back(child);
  return children;
}

// The module's panel keeps the places it has always had: its label at 20,
// sized to its text, and its list at 40, 20 pixels for the label's line.
// A line taller than that reaches into the list by the excess, which the
// panel accepts: at 192 DPI, and at 144 DPI under wine 10, whose stock font
// there is -17 (a line of 21 pixels) where wine 8 and Windows make it -16.
// So the label is checked for overlap over those 20 pixels.
constexpr int PanelLabelRoom = 20;

// The control's rectangle in its parent for the overlap check.
RECT OverlapBounds(HWND control) {
  RECT bounds = InParent(control);
  if (ClassOf(GetParent(control)) == "TarnwellGroupBox" && ClassOf(control) == "Static")
    bounds.bottom = std::min<LONG>(bounds.bottom, bounds.top + PanelLabelRoom);
  return bounds;
}

// Every control below parent, at every depth: its text fits, it lies in
// its parent's client area, and it overlaps none of its siblings. The
// window is at dpi (the display's unless moved to another monitor).
void ExpectControlsFit(HWND parent, UINT dpi = ScreenDpi()) {
  RECT client;
  GetClientRect(parent, &client);
  const std::vector<HWND> children = Children(parent);
  for (size_t i = 0; i < children.size(); ++i) {
    const RECT bounds = InParent(children[i]);
    EXPECT_TRUE(Inside(bounds, client)) << Describe(children[i]) << " at " << Describe(bounds) << " leaves "
                                        << Describe(parent) << " " << Describe(client);
    for (size_t j = i + 1; j < children.size(); ++j)
      EXPECT_FALSE(Overlap(OverlapBounds(children[i]), OverlapBounds(children[j])))
          << Describe(children[i]) << " at " << Describe(bounds) << " overlaps " << Describe(children[j]) << " at "
          << Describe(InParent(children[j]));
    ExpectTextFits(children[i], dpi);
    ExpectControlsFit(children[i], dpi);
  }
}

void ExpectOnTheWorkArea(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  EXPECT_TRUE(Inside(bounds, WorkArea())) << Describe(window) << " at " << Describe(bounds) << " leaves the work area "
                                          << Describe(WorkArea());
}

// The DPI of a monitor of the next scaling up, as a window moved there
// hears of it.
UINT NextDpi() { return ScreenDpi() + 48; }

// The font's height as a window's font for dpi must have it: the stock
// font's scaled from the system's DPI.
LONG FontHeightAt(UINT dpi) {
  LOGFONTA stock{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
  return MulDiv(stock.lfHeight, static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

LONG FontHeightOf(HWND window) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

// Sends window what Windows sends when it is moved to a monitor of dpi: the
// rectangle suggested at the work area's top left, the window's size
// scaled. Returns that rectangle.
RECT MoveToDpi(HWND window, UINT dpi, UINT fromDpi) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  const RECT work = WorkArea();
  const RECT suggested{work.left, work.top,
                       work.left + MulDiv(bounds.right - bounds.left, static_cast<int>(dpi), static_cast<int>(fromDpi)),
                       work.top + MulDiv(bounds.bottom - bounds.top, static_cast<int>(dpi), static_cast<int>(fromDpi))};
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  return suggested;
}

void ExpectAtTopLeftOf(HWND window, const RECT& suggested) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.left, suggested.left) << "at the suggested place";
  EXPECT_EQ(bounds.top, suggested.top) << "at the suggested place";
}

TEST(WindowLayout, RunsAtTheDisplayScalingAsked) {
  const char* asked = std::getenv("TARNWELL_DPI");
  ASSERT_NE(asked, nullptr) << "run by tests/win32/at_dpi.sh";
  EXPECT_EQ(static_cast<int>(ScreenDpi()), std::atoi(asked));
}

// The user32 controls below parent (buttons, texts, lists), at every
// depth, all of Common Controls 6 when visual styles are on, none of them
// when off. Gives how many there are.
int ExpectCommonControls6(HWND parent, bool visualStyles) {
  int controls = 0;
  for (HWND child : Children(parent)) {
    const std::string name = ClassOf(child);
    if (name == "Button" || name == "Static" || name == "ComboBox") {
      ++controls;
      EXPECT_EQ(FromCommonControls6(child), visualStyles)
          << Describe(child) << (visualStyles ? ": not" : ":") << " of Common Controls 6";
    }
    controls += ExpectCommonControls6(child, visualStyles);
  }
  return controls;
}

// Visual styles on (the test host's manifest active) for the windows made
// while the result lives, or off (null).
std::unique_ptr<TVisualStyles> VisualStyles(bool on) {
  if (!on) return nullptr;
  auto styles = std::make_unique<TVisualStyles>();
  EXPECT_TRUE(styles->Active()) << "no activation context from tarnwell_host.exe's manifest: " << styles->Error();
  return styles;
}

// At --rate 1000 the status line reads "... 10000.0 per second".
void ExpectTryFitsItsTexts(bool visualStyles) {
  const std::unique_ptr<TVisualStyles> styles = VisualStyles(visualStyles);
  TTryWindowInProcess window(1000);
  ASSERT_TRUE(window.Made);
  RunMessagesFor(1500, &window.Pane);
  std::string status;
  for (HWND child : Children(window.Channels()))
    if (TextOf(child).find(" per second") != std::string::npos) status = TextOf(child);
  const size_t rate = status.rfind(", ");
  ASSERT_NE(rate, std::string::npos) << status;
  EXPECT_GE(std::atof(status.c_str() + rate + 2), 1000.0) << status;
  EXPECT_GT(ExpectCommonControls6(window.Shown.Window, visualStyles), 0);
  ExpectControlsFit(window.Shown.Window);
  ExpectOnTheWorkArea(window.Shown.Window);
}

TEST(WindowLayout, TryFitsItsTexts) { ExpectTryFitsItsTexts(false); }

TEST(WindowLayout, TryFitsItsTextsWithVisualStyles) { ExpectTryFitsItsTexts(true); }

// Moved to a monitor of the next scaling up, the try window takes the
// place Windows suggests; its channel controls get a font made for the new
// DPI and are placed again from their texts in it and the check marks and
// scroll bars of the new DPI.
TEST(WindowLayout, TryFollowsAMoveToAMonitorOfAnotherScaling) {
  TTryWindowInProcess window(0);
  ASSERT_TRUE(window.Made);
  RunMessagesFor(200, &window.Pane);
  const HWND firstBox = GetDlgItem(window.Channels(), 1);
  ASSERT_EQ(FontHeightOf(firstBox), FontHeightAt(NextDpi() - 48));
  const RECT suggested = MoveToDpi(window.Shown.Window, NextDpi(), NextDpi() - 48);
  RunMessagesFor(200, &window.Pane);
  ExpectAtTopLeftOf(window.Shown.Window, suggested);
  for (HWND control : Children(window.Channels())) {
    if (ClassOf(control) != TRACKBAR_CLASSA) {  // a slider keeps no font
      EXPECT_EQ(FontHeightOf(control), FontHeightAt(NextDpi())) << Describe(control) << ": in a font of the new DPI";
    }
  }
  ExpectControlsFit(window.Shown.Window, NextDpi());
}

void ExpectPanelFitsItsTexts(bool visualStyles) {
  const std::unique_ptr<TVisualStyles> styles = VisualStyles(visualStyles);
  THostWindowWithPanel shown;
  ASSERT_NE(shown.Window, nullptr);
  ShowWindow(shown.Window, SW_SHOWNORMAL);
  RunMessagesFor(200);
  ASSERT_NE(FindWindowExA(shown.Window, nullptr, "TarnwellGroupBox", nullptr), nullptr);
  EXPECT_GT(ExpectCommonControls6(shown.Window, visualStyles), 0);
  ExpectControlsFit(shown.Window);
  ExpectOnTheWorkArea(shown.Window);
}

TEST(WindowLayout, PanelFitsItsTexts) { ExpectPanelFitsItsTexts(false); }

TEST(WindowLayout, PanelFitsItsTextsWithVisualStyles) { ExpectPanelFitsItsTexts(true); }

// The board windows of this process, by card address: those whose titles
// name no problem, or those whose titles do.
std::vector<HWND> BoardWindows(bool withProblems) {
  std::vector<HWND> windows;
  for (int address = 0; address < 4; ++address) {
    const std::string title = "Virtual K8055, card address " + std::to_string(address);
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "VirtualK8055Board", nullptr));) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      const std::string text = TextOf(window);
      if (process == GetCurrentProcessId() &&
          (withProblems ? text.rfind(title + " - ", 0) == 0 : text == title))
        windows.push_back(window);
    }
  }
  return windows;
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

struct TPart {
  const char* What;
  RECT Bounds;
  std::wstring Text;  // empty for a lamp or a bar
};

std::vector<TPart> Parts(const TBoardLayout& layout, int address) {
  std::vector<TPart> parts{{"title", layout.Title, Wide("Card address " + std::to_string(address))}};
  for (int i = 0; i < layout.ProblemLineCount; ++i) {
    const TProblemLine& line = layout.ProblemLines[i];
    std::wstring text(layout.Problems + line.Start, static_cast<size_t>(line.Length));
    if (layout.ProblemsCut && i == layout.ProblemLineCount - 1) text += ProblemsCutMark;
    parts.push_back({"problem line", line.Bounds, text});
  }
  for (int n = 0; n < BoardLamps; ++n) {
    parts.push_back({"lamp", layout.Lamps[n], L""});
    parts.push_back({"lamp number", layout.LampLabels[n], std::to_wstring(n + 1)});
  }
  for (int bar = 0; bar < BoardBars; ++bar) {
    const RECT& inside = layout.Bars[bar];
    parts.push_back({"bar name", layout.BarNames[bar], Wide("Analog " + std::to_string(bar + 1))});
    parts.push_back({"bar with its outline", {inside.left - 1, inside.top - 1, inside.right + 1, inside.bottom + 1}, L""});
    parts.push_back({"level", layout.Levels[bar], L"255"});
  }
  if (!layout.Pluggable) return parts;
  parts.push_back({"plug button", layout.PlugButton, L""});  // its captions are checked with room for its edges
  for (int i = 0; i < layout.StatusLineCount; ++i) {
    const TProblemLine& line = layout.StatusLines[i];
    parts.push_back({"status line", line.Bounds, std::wstring(layout.Status + line.Start, static_cast<size_t>(line.Length))});
  }
  return parts;
}

// The text of a layout without its blanks and line ends, to compare
// what the lines show with what they were made from.
std::wstring Letters(const std::wstring& text) {
  std::wstring letters;
  for (const wchar_t c : text)
    if (c != L' ' && c != L'\r' && c != L'\n') letters += c;
  return letters;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

// Every text of a board's layout fits its place in font, no two parts
// overlap, and all lie in the client area.
void ExpectBoardLayoutFits(const TBoardLayout& layout, int address, const TFontDc& font) {
  const RECT client{0, 0, layout.Client.cx, layout.Client.cy};
  const std::vector<TPart> parts = Parts(layout, address);
  for (size_t i = 0; i < parts.size(); ++i) {
    const TPart& part = parts[i];
    EXPECT_TRUE(Inside(part.Bounds, client)) << part.What << " " << Describe(part.Bounds);
    if (!part.Text.empty()) {
      const SIZE text = font.Extent(part.Text);
      EXPECT_LE(text.cx, part.Bounds.right - part.Bounds.left)
          << part.What << " \"" << Narrow(part.Text) << "\" is cut";
      EXPECT_LE(text.cy, part.Bounds.bottom - part.Bounds.top)
          << part.What << " \"" << Narrow(part.Text) << "\" is cut";
    }
    for (size_t j = i + 1; j < parts.size(); ++j)
      EXPECT_FALSE(Overlap(part.Bounds, parts[j].Bounds))
          << part.What << " " << Describe(part.Bounds) << " covers " << parts[j].What << " "
          << Describe(parts[j].Bounds);
  }
  if (!layout.Pluggable) return;
  // Each caption with room for a button's edges on both sides, and every
  // status whole within the room kept for it.
  const RECT& button = layout.PlugButton;
  for (const TPlugStatus status : PlugStatuses) {
    const SIZE caption = font.Extent(Wide(PlugButtonText(status)));
    EXPECT_LE(caption.cx + 8, button.right - button.left) << PlugButtonText(status);
    EXPECT_LE(caption.cy + 4, button.bottom - button.top) << PlugButtonText(status);
    TBoardLayout shown = layout;
    LayOutPlugStatus(status, shown, font.Font());
    std::wstring text;
    for (int i = 0; i < shown.StatusLineCount; ++i) {
      const TProblemLine& line = shown.StatusLines[i];
      EXPECT_TRUE(Inside(line.Bounds, layout.StatusArea)) << PlugStatusText(status);
      EXPECT_LE(font.Extent(std::wstring(shown.Status + line.Start, line.Length)).cx, line.Bounds.right - line.Bounds.left);
      text.append(shown.Status + line.Start, static_cast<size_t>(line.Length));
    }
    EXPECT_EQ(Letters(text), Letters(Wide(PlugStatusText(status)))) << "shown whole: " << PlugStatusText(status);
  }
}

// A board window: its layout fits (above), it stays on top, lies in the
// work area, can be minimized and not closed. Gives its layout.
TBoardLayout ExpectBoardWindowFits(HWND window, int address) {
  TBoardLayout layout{};
  EXPECT_EQ(SendMessageA(window, WmQueryBoardLayout, 0, reinterpret_cast<LPARAM>(&layout)), 1);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, layout.Client.cx);
  EXPECT_EQ(client.bottom, layout.Client.cy);
  TFontDc font(window);
  EXPECT_TRUE(font.Valid);
  ExpectBoardLayoutFits(layout, address, font);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "stays on top, as an instrument display";
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX), WS_SYSMENU | WS_MINIMIZEBOX)
      << "and can be minimized";
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window)) << "but not closed: it goes with its board";
  ExpectOnTheWorkArea(window);
  return layout;
}

using TOpenDevice = int32_t(__stdcall*)(int32_t);

// Opens the four boards of the virtual board at path, each with its window.
void OpenFourBoards(const std::string& path) {
  SetEnvironmentVariableA("VIRTUAL_K8055_WINDOW", "1");
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,1,2,3");
  HMODULE board = LoadLibraryA(path.c_str());
  ASSERT_NE(board, nullptr) << path;
  const auto openDevice =
      reinterpret_cast<TOpenDevice>(reinterpret_cast<void (*)()>(GetProcAddress(board, "OpenDevice")));
  for (int address = 0; address < 4; ++address) ASSERT_EQ(openDevice(address), address);
}

// Boards' windows: every text fits its place in the window's font, no two
// parts overlap, all lie in the client area; the windows stay on top, lie
// in the work area and overlap none of the others.
TEST(WindowLayout, BoardWindowsFitTheirTextsAndTheScreen) {
  ASSERT_NO_FATAL_FAILURE(OpenFourBoards(TModuleHost::BoardFolder("full") + "\\k8055d.dll"));
  const std::vector<HWND> windows = BoardWindows(false);
  ASSERT_EQ(windows.size(), 4u);
  for (int address = 0; address < 4; ++address) {
    SCOPED_TRACE("board " + std::to_string(address));
    const TBoardLayout layout = ExpectBoardWindowFits(windows[address], address);
    EXPECT_EQ(layout.ProblemLineCount, 0);
    EXPECT_TRUE(layout.Pluggable);
    HWND button = FindWindowExA(windows[address], nullptr, "Button", nullptr);
    ASSERT_NE(button, nullptr) << "the plug's button";
    RECT placed;
    GetWindowRect(button, &placed);
    MapWindowPoints(nullptr, windows[address], reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(Describe(placed), Describe(layout.PlugButton));
    EXPECT_EQ(TextOf(button), "Unplug");
    RECT bounds, other;
    GetWindowRect(windows[address], &bounds);
    for (int next = address + 1; next < 4; ++next) {
      GetWindowRect(windows[next], &other);
      EXPECT_FALSE(Overlap(bounds, other)) << "covers board " << next;
    }
  }
  // The windows stay until the process ends: closing each takes 2 s under
  // wine without a window manager.
}

// A board window moved to a monitor of the next scaling up takes the place
// Windows suggests and lays itself out again in a font made for the new
// DPI, its texts fitting.
TEST(WindowLayout, BoardWindowFollowsAMoveToAMonitorOfAnotherScaling) {
  if (BoardWindows(false).empty()) {
    ASSERT_NO_FATAL_FAILURE(OpenFourBoards(TModuleHost::BoardFolder("full") + "\\k8055d.dll"));
  }
  const std::vector<HWND> windows = BoardWindows(false);
  ASSERT_EQ(windows.size(), 4u);
  const HWND moved = windows[3];
  EXPECT_EQ(FontHeightOf(moved), FontHeightAt(NextDpi() - 48));
  TBoardLayout before{};
  SendMessageA(moved, WmQueryBoardLayout, 0, reinterpret_cast<LPARAM>(&before));
  const RECT suggested = MoveToDpi(moved, NextDpi(), NextDpi() - 48);
  ExpectAtTopLeftOf(moved, suggested);
  EXPECT_EQ(FontHeightOf(moved), FontHeightAt(NextDpi()));
  const TBoardLayout after = ExpectBoardWindowFits(moved, 3);
  EXPECT_GT(after.Client.cx, before.Client.cx);
  EXPECT_GT(after.Client.cy, before.Client.cy);
}

// A setting the virtual board cannot read shows in its windows, below the
// card address, wrapped to the window's width (a path too long for a line
// broken too): the window grows taller, not wider, and stays in the work
// area.
TEST(WindowLayout, BoardWindowsShowWhatTheSettingsCannotRead) {
  TTempFolder folder("tarnwell board problems");
  const std::string library = folder.Copy(TModuleHost::BoardFolder("full") + "\\k8055d.dll", "k8055d.dll");
  folder.Write("k8055d.ini",
               "[virtual board]\r\nwindow = yes please\r\ncolour = red\r\n"
               "record = C:\\No such folder\\A_folder_name_far_too_long_to_fit_on_one_line_of_the_window\\"
               "calls.txt\r\n");
  ASSERT_NO_FATAL_FAILURE(OpenFourBoards(library));
  const std::vector<HWND> windows = BoardWindows(true);
  ASSERT_EQ(windows.size(), 4u);
  const std::vector<HWND> plain = BoardWindows(false);
  RECT plainClient{0, 0, 0, 0};
  if (!plain.empty()) GetClientRect(plain[0], &plainClient);  // from the case above, when it ran
  for (int address = 0; address < 4; ++address) {
    SCOPED_TRACE("board " + std::to_string(address));
    const TBoardLayout layout = ExpectBoardWindowFits(windows[address], address);
    EXPECT_EQ(TextOf(windows[address]).find("Virtual K8055, card address " + std::to_string(address) +
                                            " - k8055d.ini line 2: window \"yes please\" is not 0"),
              0u)
        << "the title as before";
    ASSERT_GE(layout.ProblemLineCount, 4);
    EXPECT_FALSE(layout.ProblemsCut);
    std::wstring shown;
    for (int i = 0; i < layout.ProblemLineCount; ++i)
      shown.append(layout.Problems + layout.ProblemLines[i].Start, layout.ProblemLines[i].Length);
    EXPECT_EQ(Letters(shown), Letters(layout.Problems)) << "every problem shown whole";
    EXPECT_NE(Narrow(layout.Problems).find("k8055d.ini line 3: \"colour = red\""), std::string::npos);
    EXPECT_LT(layout.ProblemLines[0].Bounds.top, layout.Lamps[0].top) << "above the lamps";
    if (!plain.empty()) {
      EXPECT_EQ(layout.Client.cx, plainClient.right) << "as wide as a window without problems";
      EXPECT_GT(layout.Client.cy, plainClient.bottom);
    }
  }
}

// Problems that need more lines than the screen holds: the lines that fit,
// the last ending in "...", the window no taller than asked. One word, so
// that every line is full and the last one must be broken again for the
// "...".
TEST(WindowLayout, BoardProblemsTooLongForTheScreenAreCut) {
  std::string problems;
  while (problems.size() < 900) problems += "abcdefghijklmnopqrstuvwxyz";
  TBoardLayout full{}, cut{};
  LayOutBoard(problems.c_str(), true, 100000, full);
  EXPECT_FALSE(full.ProblemsCut);
  const int maxHeight = full.Client.cy - full.Client.cy / 3;
  LayOutBoard(problems.c_str(), true, maxHeight, cut);
  EXPECT_TRUE(cut.ProblemsCut);
  EXPECT_LE(cut.Client.cy, maxHeight);
  EXPECT_EQ(cut.Client.cx, full.Client.cx);
  EXPECT_GT(cut.ProblemLineCount, 1);
  EXPECT_LT(cut.ProblemLineCount, full.ProblemLineCount);
  const TFontDc font(BoardFont());
  ASSERT_TRUE(font.Valid);
  ExpectBoardLayoutFits(full, 0, font);
  ExpectBoardLayoutFits(cut, 0, font);
  TBoardLayout none{};
  LayOutBoard("", true, maxHeight, none);
  EXPECT_EQ(none.ProblemLineCount, 0);
  EXPECT_LT(none.Client.cy, cut.Client.cy);
}

// A copy of the virtual board loaded on its own (from a folder named for
// the case: a loaded copy stays), so that its imports can be redirected
// before its windows are made, and those windows told from the other
// cases' (a window's instance is the module that registered its class).
class TBoardCopy {
 public:
  TBoardCopy(const std::string& folder, const std::string& settings) : Folder_(folder) {
    Path = Folder_.Copy(TModuleHost::BoardFolder("full") + "\\k8055d.dll", "k8055d.dll");
    if (!settings.empty()) Folder_.Write("k8055d.ini", settings);
    Module = LoadLibraryA(Path.c_str());
  }
  // Its four boards' windows, by card address.
  std::vector<HWND> Windows() const {
    std::vector<HWND> windows(4, nullptr);
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "VirtualK8055Board", nullptr));) {
      const std::string title = TextOf(window);
      const size_t address = title.find("card address ") + 13;
      if (reinterpret_cast<HMODULE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) == Module && address < title.size())
        windows[static_cast<size_t>(title[address] - '0') % 4] = window;
    }
    return windows;
  }
  std::string Path;
  HMODULE Module;

 private:
  TTempFolder Folder_;
};

// Windows 8.1 and 10 before 1607: GetDpiForWindow missing, GetDpiForMonitor
// answering MonitorDpi, through the board's lookups of functions.
UINT MonitorDpi = 0;
decltype(&GetProcAddress) RealGetProcAddress;
HRESULT WINAPI AnsweringGetDpiForMonitor(HMONITOR, int, UINT* x, UINT* y) {
  *x = *y = MonitorDpi;
  return S_OK;
}
FARPROC WINAPI LookupBefore1607(HMODULE module, const char* name) {
  if (HIWORD(name) != 0 && std::strcmp(name, "GetDpiForWindow") == 0) return nullptr;
  if (HIWORD(name) != 0 && std::strcmp(name, "GetDpiForMonitor") == 0)
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(AnsweringGetDpiForMonitor));
  return RealGetProcAddress(module, name);
}

// Where Windows has no GetDpiForWindow, a board window made on a monitor of
// another scaling than the system's is laid out at that monitor's DPI, not
// at the system's until it is moved.
TEST(BoardWindowMonitor, WithoutGetDpiForWindowTakesItsMonitorsDpi) {
  TBoardCopy board("tarnwell board before 1607", "");
  ASSERT_NE(board.Module, nullptr) << board.Path;
  TImportPatch lookup(board.Module, "kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(LookupBefore1607));
  ASSERT_TRUE(lookup.Patched());
  RealGetProcAddress = reinterpret_cast<decltype(RealGetProcAddress)>(lookup.Original());
  MonitorDpi = NextDpi();
  ASSERT_NO_FATAL_FAILURE(OpenFourBoards(board.Path));
  const std::vector<HWND> windows = board.Windows();
  for (int address = 0; address < 4; ++address) {
    SCOPED_TRACE("board " + std::to_string(address));
    ASSERT_NE(windows[address], nullptr);
    EXPECT_EQ(FontHeightOf(windows[address]), FontHeightAt(NextDpi())) << "laid out at the monitor's DPI";
    ExpectBoardWindowFits(windows[address], address);
  }
}

// A second monitor, where the board's MonitorFromWindow puts its windows
// while WorkAreaHeight is set: the primary one's place, its work area
// WorkAreaHeight high, as the board's GetMonitorInfoW tells it.
LONG WorkAreaHeight = 0;
const HMONITOR SecondMonitor = reinterpret_cast<HMONITOR>(0x5EC0);
decltype(&MonitorFromWindow) RealMonitorFromWindow;
decltype(&GetMonitorInfoW) RealGetMonitorInfoW;
HMONITOR WINAPI OnTheSecondMonitor(HWND window, DWORD flags) {
  return WorkAreaHeight > 0 ? SecondMonitor : RealMonitorFromWindow(window, flags);
}
BOOL WINAPI SecondMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != SecondMonitor) return RealGetMonitorInfoW(monitor, info);
  if (!RealGetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), info)) return FALSE;
  info->rcWork.bottom = info->rcWork.top + WorkAreaHeight;
  return TRUE;
}

// Moved to a second monitor of another scaling, whose work area is lower
// than the primary one's, a board window takes the place Windows suggests
// and keeps to that monitor's work area: its problems, which need more room
// at the new DPI, are cut there.
TEST(BoardWindowMonitor, MovedKeepsToItsNewMonitorsWorkArea) {
  // Problems enough that the window at the old DPI is taller than the
  // parts of one at the new DPI that are never cut (lamps, bars, the
  // plug's status).
  TBoardCopy board("tarnwell board moved",
                   "[virtual board]\r\nwindow = yes please\r\ncolour = red\r\nboards = 7\r\npace = fast\r\n"
                   "unplug = soon\r\n");
  ASSERT_NE(board.Module, nullptr) << board.Path;
  TImportPatch monitor(board.Module, "user32.dll", "MonitorFromWindow", reinterpret_cast<void*>(OnTheSecondMonitor));
  TImportPatch monitorInfo(board.Module, "user32.dll", "GetMonitorInfoW", reinterpret_cast<void*>(SecondMonitorInfo));
  ASSERT_TRUE(monitor.Patched() && monitorInfo.Patched());
  RealMonitorFromWindow = reinterpret_cast<decltype(RealMonitorFromWindow)>(monitor.Original());
  RealGetMonitorInfoW = reinterpret_cast<decltype(RealGetMonitorInfoW)>(monitorInfo.Original());
  ASSERT_NO_FATAL_FAILURE(OpenFourBoards(board.Path));
  const HWND moved = board.Windows()[0];
  ASSERT_NE(moved, nullptr);
  RECT before;
  GetWindowRect(moved, &before);
  WorkAreaHeight = before.bottom - before.top;
  const RECT suggested = MoveToDpi(moved, NextDpi(), ScreenDpi());
  WorkAreaHeight = 0;
  ExpectAtTopLeftOf(moved, suggested);
  EXPECT_EQ(FontHeightOf(moved), FontHeightAt(NextDpi()));
  RECT after;
  GetWindowRect(moved, &after);
  EXPECT_LE(after.bottom - after.top, before.bottom - before.top) << "within the new monitor's work area";
  TBoardLayout layout{};
  ASSERT_EQ(SendMessageA(moved, WmQueryBoardLayout, 0, reinterpret_cast<LPARAM>(&layout)), 1);
  EXPECT_TRUE(layout.ProblemsCut) << "the problems cut at the new monitor's work area";
}

}  // namespace
