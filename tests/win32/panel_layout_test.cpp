// The panel as shown in a real host window: its windows, their places,
// texts, font and colour, and the card list.
#include <gtest/gtest.h>

#include "panel_host_window.h"

namespace {

TEST(PanelLayout, ThreeControlsInsideTheHostWindow) {
  TModuleHost host("full");
  THostWindow window;
  TOutputInstance* instance = host.Api.create(1);
  host.Api.show(instance, window.Handle);

  HWND box = window.GroupBox();
  ASSERT_NE(box, nullptr) << "a child of the host window of class " << PanelClass;
  EXPECT_EQ(GetParent(box), window.Handle);
  const LONG style = GetWindowLongA(box, GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & WS_POPUP);
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(BoundsInParent(box), (std::vector<int>{4, 4, 728, 176}));
  EXPECT_EQ(WindowText(box), "Velleman K8055D Settings");

  HWND label = window.Label();
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

  HWND combo = window.Combo();
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
  host.Api.destroy(instance);
}

TEST(PanelLayout, FilledWithTheButtonFaceColour) {
  TModuleHost host("full");
  THostWindow window;
  TOutputInstance* instance = host.Api.create(1);
  host.Api.show(instance, window.Handle);
  HWND box = window.GroupBox();
  ASSERT_NE(box, nullptr);
  UpdateWindow(window.Handle);
  HDC dc = GetDC(box);
  EXPECT_EQ(GetPixel(dc, 400, 120), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(box, dc);
  dc = GetDC(window.Label());
  EXPECT_EQ(GetPixel(dc, 1, 0), GetSysColor(COLOR_BTNFACE)) << "behind the label's text too";
  ReleaseDC(window.Label(), dc);
  host.Api.destroy(instance);
}

TEST(PanelLayout, ListShowsEverySlotStateAndSelectsTheCard) {
  TModuleHost host("full");
  THostWindow window;
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0,2");
  TOutputInstance* instance = host.Api.create(1);
  host.Api.open(instance, "3");
  host.Api.show(instance, window.Handle);
  EXPECT_EQ(host.Calls(), (std::vector<std::string>{"OpenDevice 2", "OpenDevice 0", "OpenDevice 1", "OpenDevice 3"}));

  HWND combo = window.Combo();
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(ListEntries(combo), (std::vector<TListEntry>{{"(none)", 0},
                                                         {"0 (open)", 1},
                                                         {"1 (not available)", 2},
                                                         {"2 (open)", 3},
                                                         {"3 (not available)", 4}}));
  EXPECT_EQ(Selection(combo), 3);
  EXPECT_EQ(WindowText(combo), "2 (open)");
  host.Api.destroy(instance);
}

TEST(PanelLayout, WithoutTheVendorLibraryEveryCardReadsClosed) {
  TModuleHost host(nullptr);
  THostWindow window;
  TOutputInstance* instance = host.Api.create(1);
  host.Api.show(instance, window.Handle);
  EXPECT_EQ(ListEntries(window.Combo()), (std::vector<TListEntry>{{"(none)", 0},
                                                                  {"0 (closed)", 1},
                                                                  {"1 (closed)", 2},
                                                                  {"2 (closed)", 3},
                                                                  {"3 (closed)", 4}}));
  EXPECT_EQ(Selection(window.Combo()), 0);
  host.Api.destroy(instance);
}

}  // namespace
