// The channel controls that try puts below the settings panel in its host
// window: a check box per digital output, a slider 0 ... 255 with its level
// shown beside it per analog output, each named as the instance's channel
// list names it, and the status line. Each change sends one action for its
// channel; with a rate, every channel is sent again at that rate.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "test_host/session/module_api_win32.h"
#include "test_host/try/rate_meter.h"
#include "test_host/try/resend_schedule.h"
#include "test_host/try/try_status.h"
#include "test_host/try/try_outputs.h"

class TTryPane {
 public:
  // rateHz 0: no resending.
  TTryPane(const TModuleApi& api, TOutputInstance* instance, int32_t rateHz);
  ~TTryPane();
  TTryPane(const TTryPane&) = delete;
  TTryPane& operator=(const TTryPane&) = delete;

  // Makes the pane's window in host, below the panel and after it in the
  // tab order, and fits host to the panel and the pane, laid out for the
  // host's DPI, and again for a new DPI whenever host moves to a monitor of
  // another; false when it cannot be made. The window goes with host.
  bool Create(HWND host);
  // Sends what is due: every channel after a pick of another card in the
  // panel, and every channel when a round of the rate is due. Returns the
  // ms until the next round (INFINITE without a rate).
  DWORD SendDue();
  uint64_t ActionCalls() const { return Outputs_.ActionCalls(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  std::string SettingsText() const;
  void FollowPick();
  void OnChecked(int channel);
  void OnSlider(HWND slider);
  TTryStatus Status() const;
  void UpdateStatus();
  void LayOut();
  void FollowDpi(UINT dpi);

  const TModuleApi& Api_;
  TOutputInstance* Instance_;
  std::vector<std::string> Names_;
  TTryOutputs Outputs_;
  std::unique_ptr<TResendSchedule> Schedule_;  // null without a rate
  int32_t RateHz_;
  TRateMeter Rate_;
  HWND Window_ = nullptr;
  HWND Status_ = nullptr;
  HFONT Font_ = nullptr;  // the controls', made for Dpi_
  UINT Dpi_ = 0;
};
