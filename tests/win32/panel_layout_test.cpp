// The panel as shown in a real host window: its windows, their places,
// texts, font and colour, and the card list.
#include <gtest/gtest.h>

#include "tests/win32/panel_host_window.h"

namespace {

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

TEST(PanelLayout, ThreeControlsInsideTheHostWindow) {
  TShownPanel panel("full");
  HWND box = panel.Window.GroupBox();
  ASSERT_NE(box, nullptr) << "a child of the host window of class " << PanelClass;
  EXPECT_EQ(GetParent(box), panel.Window.Handle);
  const LONG style = GetWindowLongA(box, GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & WS_POPUP);
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(BoundsInParent(box), (std::vector<int>{4, 4, 728, 176}));
  EXPECT_EQ(WindowText(box), "Velleman K8055D Settings");

  HWND label = panel.Window.Label();
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(IsWindowVisible(label));
  const HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)), guiFont);
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, guiFont);
  SIZE text;
  GetTextExtentPoint32A(dc, "Card address:", 13, &text);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  EXPECT_EQ(BoundsInParent(label), (std::vector<int>{8, 20, text.cx, text.cy})) << "sized to its text";

  HWND combo = panel.Window.Combo();
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(IsWindowVisible(combo));
  EXPECT_EQ(GetWindowLongA(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(combo, WM_GETFONT, 0, 0)), guiFont);
  const std::vector<int> bounds = BoundsInParent(combo);
  EXPECT_EQ(std::vector<int>(bounds.begin(), bounds.begin() + 3), (std::vector<int>{8, 40, 300}));
  EXPECT_GE(bounds[3], text.cy) << "the list's default height fits its font";
  EXPECT_LE(bounds[3], 2 * text.cy + 4);
  RECT dropped;
  SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GE(dropped.bottom - dropped.top, bounds[3] + 5 * static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0)))
      << "the opened list shows all five entries";
}

TEST(PanelLayout, FilledWithTheButtonFaceColour) {
  TShownPanel panel("full");
  ASSERT_NE(panel.Window.GroupBox(), nullptr);
  UpdateWindow(panel.Window.Handle);
  EXPECT_EQ(PixelAt(panel.Window.GroupBox(), 400, 120), GetSysColor(COLOR_BTNFACE)) << "inside the frame";
  EXPECT_EQ(PixelAt(panel.Window.Label(), 1, 0), GetSysColor(COLOR_BTNFACE)) << "behind the label's text";
}

TEST(PanelLayout, ListShowsEverySlotStateAndSelectsTheCard) {
  TShownPanel panel("full", "0,2", "3");
  EXPECT_EQ(panel.Host.Calls(),
            (std::vector<std::string>{"OpenDevice 2", "OpenDevice 0", "OpenDevice 1", "OpenDevice 3"}));
  HWND combo = panel.Window.Combo();
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(ListEntries(combo), (std::vector<TListEntry>{{"(none)", 0},
                                                         {"0 (open)", 1},
                                                         {"1 (not available)", 2},
                                                         {"2 (open)", 3},
                                                         {"3 (not available)", 4}}));
  EXPECT_EQ(Selection(combo), 3);
  EXPECT_EQ(WindowText(combo), "2 (open)");
}

TEST(PanelLayout, WithoutTheVendorLibraryEveryCardReadsClosed) {
  TShownPanel panel(nullptr);
  EXPECT_EQ(ListEntries(panel.Window.Combo()), (std::vector<TListEntry>{{"(none)", 0},
                                                                        {"0 (closed)", 1},
                                                                        {"1 (closed)", 2},
                                                                        {"2 (closed)", 3},
                                                                        {"3 (closed)", 4}}));
  EXPECT_EQ(Selection(panel.Window.Combo()), 0);
}

}  // namespace
