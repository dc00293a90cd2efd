// A structured exception raised by the vendor library's OpenDevice (as a
// library written in Delphi raises) while the user picks a card: it reaches
// the host unchanged, the hourglass goes, and the panel and the module work
// on. The test board raises for card address 2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/panel_host_window.h"
#include "tests/win32/structured_exception.h"
#include "virtual_board/test_variants/raising_open.h"

namespace {

void NotifyParent(HWND combo) {
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void ExpectRaisedAtAddress2(const EXCEPTION_RECORD& record) {
  EXPECT_EQ(record.ExceptionCode, RaisedExceptionCode);
  EXPECT_EQ(record.ExceptionFlags & EXCEPTION_NONCONTINUABLE, static_cast<DWORD>(EXCEPTION_NONCONTINUABLE));
  ASSERT_EQ(record.NumberParameters, RaisedArgumentCount);
  EXPECT_EQ(record.ExceptionInformation[0], RaisedMarker);
  EXPECT_EQ(record.ExceptionInformation[1], 2u);
}

bool ShowsHourglass(HWND box) {
  SendMessageA(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(box), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor() == LoadCursorA(nullptr, IDC_WAIT);
}

TEST(PanelException, AnExceptionInOpenDeviceTravelsOnAndTheHourglassGoes) {
  TModuleHost host("test-raising-open");
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", "0123");
  SetEnvironmentVariableA("VIRTUAL_K8055_RAISE_AT", "2");
  THostWindow window;
  TOutputInstance* instance = host.Api.create(1);
  EXCEPTION_RECORD raised{};

  // show tries every board: the exception ends it at address 2 and reaches
  // the host; address 2 stays closed.
  ASSERT_TRUE(CatchStructuredException([&] { host.Api.show(instance, window.Handle); }, raised));
  ExpectRaisedAtAddress2(raised);
  HWND combo = window.Combo();
  ASSERT_NE(combo, nullptr);
  NotifyParent(combo);  // a notification without a pick refills the list
  ASSERT_EQ(ListEntries(combo).size(), 5u);
  EXPECT_EQ(ListEntries(combo)[3].Text, "2 (closed)");

  // The user picks card address 2: OpenDevice raises under the hourglass.
  SendMessageA(combo, CB_SETCURSEL, 3, 0);
  raised = {};
  ASSERT_TRUE(CatchStructuredException([&] { NotifyParent(combo); }, raised));
  ExpectRaisedAtAddress2(raised);
  EXPECT_FALSE(ShowsHourglass(window.GroupBox()));
  EXPECT_EQ(Saved(host, instance), "3") << "the pick's card is kept";

  SetEnvironmentVariableA("VIRTUAL_K8055_RAISE_AT", nullptr);
  host.Api.hide(instance);
  EXPECT_EQ(window.GroupBox(), nullptr);
  host.Api.destroy(instance);
  host.Finish();
  EXPECT_EQ(host.Calls(), (std::vector<std::string>{"OpenDevice 0", "OpenDevice 1", "SetCurrentDevice 0", "CloseDevice",
                                                    "SetCurrentDevice 1", "CloseDevice"}));
  EXPECT_FALSE(TModuleHost::VendorLibraryLoaded());
}

}  // namespace
