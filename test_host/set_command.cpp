// set: one block of samples to one channel of one card.
#include <cstdio>

#include "test_host/channel_list.h"
#include "test_host/commands.h"
#include "common/common.h"
#include "test_host/exit_status.h"
#include "test_host/module_session.h"
#include "test_host/samples_file.h"
#include "test_host/sent_report.h"
#include "test_host/text_file.h"

namespace {

bool ReadSamples(const TCommand& command, std::vector<uint16_t>& samples, std::string& error) {
  if (command.HasValue) {
    samples.assign(SamplesPerBlock, static_cast<uint16_t>(command.Value));
    return true;
  }
  std::string text;
  if (!ReadTextFile(command.SamplesFile, text, error)) return false;
  if (ParseSamples(text, samples, error)) return true;
  error = command.SamplesFile + " " + error;
  return false;
}

}  // namespace

int RunSet(const TCommand& command) {
  std::vector<uint16_t> samples;
  std::string error;
  if (!ReadSamples(command, samples, error)) return Fail(ExitBadInput, "set: " + error);

  TModuleSession session;
  TOutputInstance* instance = nullptr;
  if (const int status = CreateReadyInstance(command, session, instance, error)) return Fail(status, error);
  session.Api.open(instance, std::to_string(command.Card).c_str());
  session.Api.action(instance, command.Channel, 0, 0, 0, samples.data());

  const TOutputInstance& record = *instance;
  const std::vector<std::string> names = SplitChannelList(record.ChannelNames, record.ChannelCount);
  const std::string name = command.Channel <= static_cast<int32_t>(names.size()) ? names[command.Channel - 1] : "";
  const int32_t mean = AverageSamples(samples.data(), 1, static_cast<int32_t>(samples.size()));
  std::fputs(DescribeSent(command.Card, command.Channel, name, mean).c_str(), stdout);
  return ExitDone;
}
