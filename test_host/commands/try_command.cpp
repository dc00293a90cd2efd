// try: the module by hand. A host window with the settings panel and a
// control per channel; each change sends one action, --rate resends all
// channels steadily. Closing the window prints the settings text, then the
// session destroys the instance and calls finish, as a host ends.
#include "test_host/commands/command_options.h"

#if defined(_WIN32)
#include <windows.h>

#include <mmsystem.h>

#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"
#include "test_host/session/board_source_win32.h"
#include "test_host/session/card_report.h"
#include "test_host/session/vendor_call_watch_win32.h"
#include "test_host/text/number_text.h"
#include "test_host/text/wide_text_win32.h"
#include "test_host/try/try_pane_win32.h"
#include "test_host/commands/panel_window_run_win32.h"
#endif

namespace {

bool HasSettings = false;
std::string Settings;
int32_t Rate = 0;  // rounds of all channels a second, 0 for none

const TOption Options[] = {
    SettingsOption(Settings, HasSettings),
    {"--rate", TOptionKind::Number, &ResendRate, 0, nullptr, &Rate, nullptr,
     "  --rate HZ         try: also resend all channels HZ times a second, 1 ... 1000\n"},
};

#if defined(_WIN32)
// Waits of about a millisecond while resending, for rates up to 1000 a
// second; Windows' default timer resolution is 10 to 16 ms.
class TFineTimerResolution {
 public:
  explicit TFineTimerResolution(bool wanted) : Set_(wanted && timeBeginPeriod(1) == TIMERR_NOERROR) {}
  ~TFineTimerResolution() {
    if (Set_) timeEndPeriod(1);
  }
  TFineTimerResolution(const TFineTimerResolution&) = delete;
  TFineTimerResolution& operator=(const TFineTimerResolution&) = delete;

 private:
  bool Set_;
};

constexpr char NothingReachesABoard[] = "Nothing reaches a board; the window shows the module all the same.";
constexpr char StarterHint[] =
    "To try the module without a board, double-click try-virtual-board.cmd in the release folder.";

// Why the instance's card has no board, or, when no card address answers
// at all, why none does; nothing while its card answers.
std::vector<std::string> WhyNoBoard(const TModuleApi& api, TOutputInstance* instance) {
  if (NoCardAddressAnswers()) return WhyCardsDoNotAnswer(ReadBoardSource(), {1}, true);
  char settings[64] = "";
  api.save(instance, settings, sizeof(settings) - 1);
  int32_t card = 0;
  std::string error;
  if (!ParseQuantity(settings, CardNumber, card, error) || OpenDeviceResult(card - 1) != -1) return {};
  return WhyCardsDoNotAnswer(ReadBoardSource(), {card}, false);
}

// Says that the window is open and, when k8055d.dll cannot be used, why.
// Started by a double-click the test host has no console: the reason
// comes in a box over the window, with the way to the virtual board.
void TellOpened(const TCommand& command, const TModuleApi& api, TOutputInstance* instance, HWND window) {
  const TOutputInstance& record = *instance;
  const std::string why =
      record.Ready ? "" : std::string(record.Caption) + ": " + WhyVendorUnusable(ModulePathOf(command.Paths));
  if (command.DoubleClicked) {
    if (why.empty()) return;
    ShowWindow(window, SW_SHOWNORMAL);
    const std::string text = why + "\n\n" + NothingReachesABoard + "\n\n" + StarterHint;
    MessageBoxW(window, Wide(text).c_str(), L"tarnwell_host: try", MB_OK | MB_ICONINFORMATION);
    return;
  }
  std::string text = why.empty() ? "" : why + "\n" + NothingReachesABoard + "\n";
  if (why.empty())
    for (const std::string& reason : WhyNoBoard(api, instance)) text += reason + "\n";
  text += "the try window is open: each change of a channel sends one action";
  if (Rate > 0) text += ", and all channels are sent " + std::to_string(Rate) + " times a second";
  WriteOut(text + "; close the window to finish\n");
}

int RunTry(const TCommand& command) {
  TModuleSession session;
  TPanelWindow shown;
  std::string error;
  const std::string* settings = HasSettings ? &Settings : nullptr;
  if (const int status = ShowPanelWindow(command.Paths, settings, "tarnwell_host: try", session, shown, error))
    return Fail(status, error);
  TTryPane pane(session.Api, shown.Instance, Rate);
  if (!pane.Create(shown.Window)) {
    session.Api.hide(shown.Instance);
    DestroyWindow(shown.Window);
    return Fail(ExitUnusable, "cannot create the channel controls of the try window");
  }
  TellOpened(command, session.Api, shown.Instance, shown.Window);

  TFineTimerResolution fineTimer(Rate > 0);
  const bool closed = RunPanelWindow(session.Api, shown.Instance, shown.Window, [&pane] { return pane.SendDue(); });
  // Each action that reaches a board makes exactly one output call, but
  // for the one at which the library dropped the board.
  const uint64_t notReached =
      session.CallsWatched ? pane.ActionCalls() - OutputCallCount() + FailedTransferCount() : 0;
  WriteOut("action calls: " + std::to_string(pane.ActionCalls()) +
           (notReached > 0 ? " (" + std::to_string(notReached) + " reached no board)" : "") + "\n");
  for (int32_t address = 0; address < CardAddressCount; ++address)
    if (BoardDropped(address)) Warn(WhyCardWasDropped(ReadBoardSource(), address + 1));
  if (!closed) return ExitStopped;
  if (!shown.Instance->Ready) return ExitUnusable;
  return notReached > 0 ? ExitNotReached : ExitDone;
}
#endif

}  // namespace

extern const TCommandRow TryCommand{"try", nullptr, nullptr, Options, nullptr, COMMAND_RUN(RunTry),
                                    "  try [--settings TEXT] [--rate HZ]\n"
                                    "                          the settings panel and a control per channel in a\n"
                                    "                          window: each change sends one action; when closed,\n"
                                    "                          prints the settings text\n"};
