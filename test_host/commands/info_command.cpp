// info: what the module says about itself and one fresh instance.
#include "test_host/commands/command_row.h"

#if defined(_WIN32)
#include <cstdio>

#include "test_host/commands/command_line.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/session/installed_versions_win32.h"
#include "test_host/diagnosis/vendor_check_win32.h"
#include "test_host/session/channel_list.h"
#include "test_host/session/module_session_win32.h"

namespace {

int RunInfo(const TCommand& command) {
  TModuleSession session;
  std::string error;
  if (const int status = session.Load(command.Paths, error)) return Fail(status, error);
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
  text += "versions: " + std::string(VersionText) + DescribeInstalledVersions(command.Paths, "          ");
  WriteOut(text);
  return record.Ready ? ExitDone : ExitUnusable;
}

}  // namespace
#endif

extern const TCommandRow InfoCommand{
    "info", nullptr, nullptr, {}, nullptr, COMMAND_RUN(RunInfo),
    "  info                    the module's information text, caption, ready flag\n"
    "                          and channels; says why if k8055d.dll cannot be used\n"};
