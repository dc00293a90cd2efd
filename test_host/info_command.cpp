// info: what the module says about itself and one fresh instance.
#include <cstdio>

#include "test_host/channel_list.h"
#include "test_host/commands.h"
#include "test_host/console_output.h"
#include "test_host/exit_status.h"
#include "test_host/module_session.h"
#include "test_host/vendor_check.h"

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
