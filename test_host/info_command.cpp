// info: what the module says about itself and one fresh instance.
#include <cstdio>

#include "test_host/channel_list.h"
#include "test_host/commands.h"
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
  std::printf("module:   %s\ninfo:     %s\ncaption:  %s\nready:    %s\n", session.Path.c_str(), information,
              record.Caption, record.Ready ? "yes" : "no");
  if (record.Ready) std::printf("k8055d:   %s\n", VendorLibraryPath().c_str());
  else std::printf("why:      %s\n", WhyVendorUnusable().c_str());
  std::printf("channels: %d\n", static_cast<int>(record.ChannelCount));
  int channel = 0;
  for (const std::string& name : SplitChannelList(record.ChannelNames, record.ChannelCount))
    std::printf("  %2d  %s\n", ++channel, name.c_str());
  return record.Ready ? ExitDone : ExitUnusable;
}
