// A user's pick in the real card list, made the two ways a host or tool
// makes one: keystrokes to the list, or a selection and the notification
// to the list's parent.
#include <gtest/gtest.h>

#include "tests/win32/panel_host_window.h"

namespace {

class PanelPick : public ::testing::Test {
 protected:
  void SetUp() override {
    combo_ = panel_.Window.Combo();
    ASSERT_NE(combo_, nullptr);
    shownCalls_ = host_.Calls();
  }

  void NotifyParent() {
    SendMessageA(GetParent(combo_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo_), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo_));
  }
  void Pick(int index) {
    SendMessageA(combo_, CB_SETCURSEL, index, 0);
    NotifyParent();
  }

  TShownPanel panel_{"full", "0,1"};
  TModuleHost& host_ = panel_.Host;
  TOutputInstance* instance_ = panel_.Instance;
  HWND combo_ = nullptr;
  std::vector<std::string> shownCalls_;
};

TEST_F(PanelPick, ArrowKeysPickTheNextAndPreviousCard) {
  EXPECT_EQ(Saved(host_, instance_), "0");
  SendMessageA(combo_, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Selection(combo_), 1);
  EXPECT_EQ(Saved(host_, instance_), "1");
  SendMessageA(combo_, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(combo_, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Saved(host_, instance_), "3");
  SendMessageA(combo_, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(Saved(host_, instance_), "2");
  EXPECT_EQ(Selection(combo_), 2);
  EXPECT_EQ(host_.Calls(), shownCalls_) << "show tried every board already";
}

TEST_F(PanelPick, SelectionWithNotificationPicksTheCard) {
  Pick(4);
  EXPECT_EQ(Saved(host_, instance_), "4");
  EXPECT_EQ(Selection(combo_), 4) << "an absent board stays selected";
  EXPECT_EQ(ListEntries(combo_).size(), 5u);
  Pick(0);
  EXPECT_EQ(Saved(host_, instance_), "0");
  EXPECT_EQ(Selection(combo_), 0);
  EXPECT_EQ(host_.Calls(), shownCalls_);
}

TEST_F(PanelPick, ClickInTheOpenedListPicksTheCard) {
  SendMessageA(combo_, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo_, &info));
  ASSERT_TRUE(IsWindowVisible(info.hwndList));
  RECT item;
  SendMessageA(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
  SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
  PumpMessages();
  EXPECT_FALSE(SendMessageA(combo_, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Saved(host_, instance_), "2");
  EXPECT_EQ(Selection(combo_), 2);
  EXPECT_EQ(WindowText(combo_), "1 (open)");
}

TEST_F(PanelPick, KeysInTheOpenedListPickTheCard) {
  SendMessageA(combo_, WM_KEYDOWN, VK_F4, 0);
  ASSERT_TRUE(SendMessageA(combo_, CB_GETDROPPEDSTATE, 0, 0));
  SendMessageA(combo_, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(combo_, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(combo_, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages();
  EXPECT_FALSE(SendMessageA(combo_, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Saved(host_, instance_), "2");
  EXPECT_EQ(Selection(combo_), 2);
}

TEST_F(PanelPick, PickedCardReceivesOutput) {
  SendMessageA(combo_, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(combo_, WM_KEYDOWN, VK_DOWN, 0);
  uint16_t samples[1024];
  for (uint16_t& sample : samples) sample = 1;
  host_.Api.action(instance_, 3, 0, 0, 0, samples);
  std::vector<std::string> expected = shownCalls_;
  expected.insert(expected.end(), {"SetCurrentDevice 1", "SetDigitalChannel 3"});
  EXPECT_EQ(host_.Calls(), expected);
}

TEST_F(PanelPick, CursorIsTheArrowAgainAfterAPick) {
  Pick(2);
  HWND box = panel_.Window.GroupBox();
  SendMessageA(combo_, WM_SETCURSOR, reinterpret_cast<WPARAM>(combo_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
  SendMessageA(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(box), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace
