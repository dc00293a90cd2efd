// info: what the module says about itself and one fresh instance.
#include <cstdio>

#include "test_host/session/channel_list.h"
#include "test_host/commands/commands_win32.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/session/module_session_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"

int RunInfo(const TCommand& command) {
  TModuleSession session;
  std::string error;
  if (const int status = session.Load(command, error)) return Fail(status, error);
  char information[256];
  session.Api.init(information, sizeof(information) - 1);
  TOutputInstance* instance = session.Create(error);
  if (instance == nullptr) return Fail(ExitUnusable, error);

  const TOutputInstance& record = *instance;
  std::string text = "module:   " + session.Path + "\ninfo:     " + information + "\ncaption:  " + record.Caption +
                     "\nready:    " + (record.Ready ? "yes" : "no") + "\n";
  text += record.Ready ? "k8055d:   " + VendorLibraryPath() + "\n"
                       : "why:      " + WhyVendorUnusable(session.Path) + "\n";
  text += "channels: " + std::to_string(record.ChannelCount) + "\n";
  int channel = 0;
  for (const std::string& name : SplitChannelList(record.ChannelNames, record.ChannelCount)) {
    char number[8];
    std::snprintf(number, sizeof(number), "  %2d  ", ++channel);
    text += number + name + "\n";
  }
  text += "versions: " + std::string(VersionText) + DescribeInstalledVersions(command, "          ");
  WriteOut(text);
  return record.Ready ? ExitDone : ExitUnusable;
}
